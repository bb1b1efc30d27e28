// Chunks, index and header patching of an AVI capture file.
#include "media/AviContainer.h"

#include <algorithm>

namespace media {

namespace {

constexpr std::uint64_t Padded(std::size_t bytes) { return (bytes + 1) & ~std::uint64_t{1}; }

bool IsVideo(std::uint32_t id) { return id == kChunkVideoDib || id == kChunkVideoCompressed; }

}  // namespace

HRESULT AviContainer::Open(const std::wstring& path, const AviStreams& streams,
                           std::uint64_t maxFileBytes) {
  if (IsOpen()) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
  if (streams.width < 1 || streams.height < 1 || streams.rate == 0 || streams.scale == 0 ||
      (streams.audio && !streams.audio->Valid())) {
    return E_INVALIDARG;
  }
  HRESULT hr = file_.Create(path);
  if (FAILED(hr)) return hr;
  path_ = path;
  streams_ = streams;
  totals_ = AviTotals{};
  index_.clear();
  limit_ = std::min(maxFileBytes, kMaxFileBytes);
  hr = WriteFront();
  if (FAILED(hr)) {
    file_.Close();
    if (file_.CreatedNew()) ::DeleteFileW(path_.c_str());
    return hr;
  }
  moviFourCcOffset_ = file_.Size() - 4;
  return S_OK;
}

HRESULT AviContainer::WriteFront() {
  totals_.riffSize = static_cast<std::uint32_t>(std::max<std::uint64_t>(file_.Size(), 12) - 8);
  const std::vector<std::uint8_t> front = BuildAviFront(streams_, totals_);
  if (file_.Size() == 0) return file_.Append(front.data(), front.size());
  return file_.WriteAt(0, front.data(), front.size());
}

std::uint64_t AviContainer::ProjectedSize(const AviChunk* chunks, std::size_t count) const noexcept {
  std::uint64_t size = file_.Size() + 8 + 16 * (index_.size() + count);  // + idx1
  for (std::size_t i = 0; i < count; ++i) size += 8 + Padded(chunks[i].bytes);
  return size;
}

HRESULT AviContainer::AppendOne(const AviChunk& chunk) {
  const std::uint64_t at = file_.Size();
  const HRESULT hr = file_.AppendChunk(chunk.id, chunk.data, chunk.bytes);
  if (FAILED(hr)) return hr;
  const auto bytes = static_cast<std::uint32_t>(chunk.bytes);
  index_.push_back({chunk.id, kAviifKeyFrame, static_cast<std::uint32_t>(at - moviFourCcOffset_),
                    bytes});
  if (IsVideo(chunk.id)) {
    ++totals_.videoFrames;
    totals_.largestVideoChunk = std::max(totals_.largestVideoChunk, bytes);
  } else {
    totals_.audioBytes += bytes;
    totals_.largestAudioChunk = std::max(totals_.largestAudioChunk, bytes);
  }
  return S_OK;
}

HRESULT AviContainer::Write(const AviChunk* chunks, std::size_t count) {
  if (!IsOpen()) return E_HANDLE;
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsVideo(chunks[i].id) && chunks[i].id != kChunkAudio) return E_INVALIDARG;
    if (chunks[i].bytes && chunks[i].data == nullptr) return E_INVALIDARG;
  }
  if (ProjectedSize(chunks, count) > limit_) return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
  const std::uint64_t start = file_.Size();
  const std::size_t entries = index_.size();
  const AviTotals before = totals_;
  for (std::size_t i = 0; i < count; ++i) {
    const HRESULT hr = AppendOne(chunks[i]);
    if (FAILED(hr)) {
      // Undo the earlier chunks of this group so a frame never loses half
      // of itself (its audio) silently.
      file_.Truncate(start);
      index_.resize(entries);
      totals_ = before;
      return hr;
    }
  }
  return S_OK;
}

HRESULT AviContainer::Close() {
  if (!IsOpen()) return S_OK;
  const std::uint64_t moviEnd = file_.Size();
  totals_.moviSize = static_cast<std::uint32_t>(moviEnd - moviFourCcOffset_);
  HRESULT result = file_.AppendChunk(FourCc('i', 'd', 'x', '1'), index_.data(),
                                     index_.size() * sizeof(AviIndexEntry));
  totals_.hasIndex = SUCCEEDED(result);
  const HRESULT front = WriteFront();
  if (SUCCEEDED(result)) result = front;
  file_.Close();
  index_.clear();
  return result;
}

}  // namespace media
