// Chunks, RIFF parts, indexes and live header rewriting of an AVI capture
// file.
#include "media/AviContainer.h"

#include <algorithm>

namespace media {

namespace {

constexpr std::uint64_t Padded(std::size_t bytes) { return (bytes + 1) & ~std::uint64_t{1}; }

bool IsVideo(std::uint32_t id) { return id == kChunkVideoDib || id == kChunkVideoCompressed; }

// 'RIFF' size 'AVIX' 'LIST' size 'movi': the head of every part after the first.
constexpr std::uint32_t kPartHeadBytes = 24;

const HRESULT kTooLarge = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);

}  // namespace

HRESULT AviContainer::Open(const std::wstring& path, const AviStreams& streams,
                           const AviLimits& limits) {
  if (IsOpen()) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
  if (streams.width < 1 || streams.height < 1 || streams.rate == 0 || streams.scale == 0 ||
      !IsVideo(streams.videoChunkId) || (streams.audio && !streams.audio->Valid())) {
    return E_INVALIDARG;
  }
  HRESULT hr = file_.Create(path);
  if (FAILED(hr)) return hr;
  path_ = path;
  streams_ = streams;
  limits_ = limits;
  limits_.maxRiffBytes = std::clamp(limits.maxRiffBytes, AviLimits::kMinRiffBytes, AviLimits::kMaxRiffBytes);
  totals_ = AviTotals{};
  firstPartDone_ = false;
  partNumber_ = 0;
  partStart_ = 0;
  partChunks_.clear();
  partVideo_ = partAudio_ = 0;
  partAudioBytes_ = 0;
  const std::vector<std::uint8_t> front = BuildAviFront(streams_, totals_);
  hr = file_.Append(front.data(), front.size());
  if (FAILED(hr)) {
    file_.Close();
    if (file_.CreatedNew()) ::DeleteFileW(path_.c_str());
    return hr;
  }
  moviFourCc_ = front.size() - 4;
  return WriteHeaders();
}

std::uint64_t AviContainer::GroupBytes(const AviChunk* chunks, std::size_t count) const noexcept {
  std::uint64_t bytes = 0;
  for (std::size_t i = 0; i < count; ++i) bytes += 8 + Padded(chunks[i].bytes);
  return bytes;
}

// The indexes the current part will end with when it holds extraVideo and
// extraAudio more chunks.
std::uint64_t AviContainer::PartIndexBytes(std::size_t extraVideo, std::size_t extraAudio) const noexcept {
  const std::size_t video = partVideo_ + extraVideo, audio = partAudio_ + extraAudio;
  std::uint64_t bytes = video ? StandardIndexBytes(video) : 0;
  if (audio) bytes += StandardIndexBytes(audio);
  if (partNumber_ == 0) bytes += LegacyIndexBytes(video + audio);
  return bytes;
}

HRESULT AviContainer::MakeRoom(std::uint64_t groupBytes, std::size_t video, std::size_t audio) {
  const std::uint64_t partEnd = file_.Size() + groupBytes + PartIndexBytes(video, audio);
  if (partEnd - partStart_ <= limits_.maxRiffBytes) {
    return partEnd > limits_.maxFileBytes ? kTooLarge : S_OK;
  }
  // A new part: the current one must have something in it, the super
  // indexes need room for both parts, and the group must fit a fresh part.
  const std::uint64_t freshPart = kPartHeadBytes + groupBytes + (video ? StandardIndexBytes(video) : 0) +
                                  (audio ? StandardIndexBytes(audio) : 0);
  if (partChunks_.empty() || totals_.videoParts.size() + 2 > kSuperIndexEntries ||
      totals_.audioParts.size() + 2 > kSuperIndexEntries || freshPart > limits_.maxRiffBytes ||
      file_.Size() + PartIndexBytes(0, 0) + freshPart > limits_.maxFileBytes) {
    return kTooLarge;
  }
  const HRESULT hr = FinishPart();
  return FAILED(hr) ? hr : BeginPart();
}

HRESULT AviContainer::Write(const AviChunk* chunks, std::size_t count) {
  if (!IsOpen()) return E_HANDLE;
  std::size_t video = 0, audio = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsVideo(chunks[i].id) && chunks[i].id != kChunkAudio) return E_INVALIDARG;
    if (chunks[i].bytes && chunks[i].data == nullptr) return E_INVALIDARG;
    if (chunks[i].bytes > 0x7FFFFFFF) return kTooLarge;
    ++(IsVideo(chunks[i].id) ? video : audio);
  }
  if (audio && !streams_.audio) return E_INVALIDARG;
  HRESULT hr = MakeRoom(GroupBytes(chunks, count), video, audio);
  if (SUCCEEDED(hr)) hr = AppendGroup(chunks, count);
  if (SUCCEEDED(hr) && limits_.keepReadable) hr = WriteHeaders();
  return hr;
}

HRESULT AviContainer::AppendGroup(const AviChunk* chunks, std::size_t count) {
  const std::uint64_t start = file_.Size();
  const std::size_t recorded = partChunks_.size();
  const AviTotals before = totals_;
  const std::size_t videoBefore = partVideo_, audioBefore = partAudio_;
  const std::uint64_t audioBytesBefore = partAudioBytes_;
  for (std::size_t i = 0; i < count; ++i) {
    const AviChunk& chunk = chunks[i];
    const std::uint64_t at = file_.Size();
    const HRESULT hr = file_.AppendChunk(chunk.id, chunk.data, chunk.bytes);
    if (FAILED(hr)) {
      // Undo the earlier chunks of this group so a frame never loses half
      // of itself (its audio) silently.
      file_.Truncate(start);
      partChunks_.resize(recorded);
      totals_ = before;
      partVideo_ = videoBefore;
      partAudio_ = audioBefore;
      partAudioBytes_ = audioBytesBefore;
      return hr;
    }
    const auto bytes = static_cast<std::uint32_t>(chunk.bytes);
    partChunks_.push_back({chunk.id, at, bytes});
    if (IsVideo(chunk.id)) {
      ++partVideo_;
      ++totals_.videoFrames;
      if (partNumber_ == 0) ++totals_.firstPartFrames;
      totals_.largestVideoChunk = std::max(totals_.largestVideoChunk, bytes);
    } else {
      ++partAudio_;
      partAudioBytes_ += bytes;
      totals_.audioBytes += bytes;
      if (partNumber_ == 0) totals_.firstPartAudioBytes += bytes;
      totals_.largestAudioChunk = std::max(totals_.largestAudioChunk, bytes);
    }
  }
  return S_OK;
}

HRESULT AviContainer::AppendStandardIndex(std::uint32_t indexId, std::uint32_t chunkId,
                                          std::vector<AviSuperIndexEntry>& parts,
                                          std::uint32_t duration) {
  const std::uint64_t at = file_.Size();
  const std::vector<std::uint8_t> index = BuildStandardIndex(indexId, chunkId, partStart_, partChunks_);
  const HRESULT hr = file_.Append(index.data(), index.size());
  if (SUCCEEDED(hr)) parts.push_back({at, static_cast<std::uint32_t>(index.size()), duration});
  return hr;
}

// Ends the current part with its indexes. On failure (no room left) the
// part is left as it was: readers rebuild its index from the chunks.
HRESULT AviContainer::FinishPart() {
  const std::uint64_t moviEnd = file_.Size();
  const std::size_t videoParts = totals_.videoParts.size(), audioParts = totals_.audioParts.size();
  HRESULT hr = S_OK;
  if (partVideo_) {
    hr = AppendStandardIndex(FourCc('i', 'x', '0', '0'), streams_.videoChunkId, totals_.videoParts,
                             static_cast<std::uint32_t>(partVideo_));
  }
  if (SUCCEEDED(hr) && partAudio_) {
    const auto blocks = static_cast<std::uint32_t>(partAudioBytes_ / streams_.audio->BlockAlign());
    hr = AppendStandardIndex(FourCc('i', 'x', '0', '1'), kChunkAudio, totals_.audioParts, blocks);
  }
  if (SUCCEEDED(hr) && partNumber_ == 0) {
    const std::uint64_t moviListEnd = file_.Size();
    const std::vector<AviIndexEntry> legacy = BuildLegacyIndex(moviFourCc_, partChunks_);
    hr = file_.AppendChunk(FourCc('i', 'd', 'x', '1'), legacy.data(), legacy.size() * sizeof(AviIndexEntry));
    if (SUCCEEDED(hr)) {
      totals_.moviSize = static_cast<std::uint32_t>(moviListEnd - moviFourCc_);
      totals_.riffSize = static_cast<std::uint32_t>(file_.Size() - 8);
      totals_.hasIndex = true;
      firstPartDone_ = true;
    }
  }
  if (FAILED(hr)) {
    file_.Truncate(moviEnd);
    totals_.videoParts.resize(videoParts);
    totals_.audioParts.resize(audioParts);
    return hr;
  }
  return WriteHeaders();
}

HRESULT AviContainer::BeginPart() {
  const std::uint64_t start = file_.Size();
  const std::uint8_t empty[kPartHeadBytes] = {};
  const HRESULT hr = file_.Append(empty, sizeof empty);
  if (FAILED(hr)) return hr;
  ++partNumber_;
  partStart_ = start;
  partChunks_.clear();
  partVideo_ = partAudio_ = 0;
  partAudioBytes_ = 0;
  return WritePartHead(file_.Size());
}

// 'RIFF' size 'AVIX' 'LIST' size 'movi' for a part that ends at `end`.
HRESULT AviContainer::WritePartHead(std::uint64_t end) {
  const std::uint32_t head[6] = {FourCc('R', 'I', 'F', 'F'), static_cast<std::uint32_t>(end - partStart_ - 8),
                                 FourCc('A', 'V', 'I', 'X'), FourCc('L', 'I', 'S', 'T'),
                                 static_cast<std::uint32_t>(end - partStart_ - 20), FourCc('m', 'o', 'v', 'i')};
  return file_.WriteAt(partStart_, head, sizeof head);
}

// The header block, and the current part's head when it is not the first:
// both describe the file as it now ends.
HRESULT AviContainer::WriteHeaders() {
  const std::uint64_t end = file_.Size();
  if (!firstPartDone_) {
    totals_.riffSize = static_cast<std::uint32_t>(end - 8);
    totals_.moviSize = static_cast<std::uint32_t>(end - moviFourCc_);
  }
  const std::vector<std::uint8_t> front = BuildAviFront(streams_, totals_);
  HRESULT hr = file_.WriteAt(0, front.data(), front.size());
  if (SUCCEEDED(hr) && partNumber_ > 0) hr = WritePartHead(end);
  return hr;
}

HRESULT AviContainer::Close() {
  if (!IsOpen()) return S_OK;
  HRESULT result = FinishPart();
  if (FAILED(result)) WriteHeaders();
  file_.Close();
  partChunks_.clear();
  return result;
}

}  // namespace media
