// Movie capture: frames and tone audio into an AVI container.
#include "media/AviWriter.h"

namespace media {

namespace {

constexpr std::uint32_t kMjpg = FourCc('M', 'J', 'P', 'G');

AviStreams StreamsFor(const MovieFormat& f) {
  AviStreams s;
  s.width = f.width;
  s.height = f.height;
  const bool mjpeg = f.coding == VideoCoding::kMjpeg;
  s.videoCompression = mjpeg ? kMjpg : BI_RGB;
  s.videoHandler = mjpeg ? kMjpg : FourCc('D', 'I', 'B', ' ');
  s.videoChunkId = mjpeg ? kChunkVideoCompressed : kChunkVideoDib;
  s.rate = f.rate;
  s.scale = f.scale;
  s.audio = f.audio;
  return s;
}

bool ValidFormat(const MovieFormat& f) {
  const bool sizeOk = f.width >= 1 && f.height >= 1 && f.width <= Frame::kMaxDimension &&
                      f.height <= Frame::kMaxDimension;
  const bool rateOk = f.rate > 0 && f.scale > 0;
  const bool qualityOk = f.jpegQuality >= 1 && f.jpegQuality <= 100;
  return sizeOk && rateOk && qualityOk && (!f.audio || f.audio->Valid());
}

}  // namespace

HRESULT AviWriter::Open(const std::wstring& path, const MovieFormat& format) {
  if (IsOpen()) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
  if (!ValidFormat(format)) return E_INVALIDARG;
  HRESULT hr = mjpeg_.SetQuality(format.jpegQuality);
  sound_ = external_ ? external_ : &tone_;
  if (SUCCEEDED(hr) && format.audio) hr = sound_->Reset(*format.audio);
  if (FAILED(hr)) return hr;
  hr = container_.Open(path, StreamsFor(format), format.limits);
  if (SUCCEEDED(hr)) format_ = format;
  return hr;
}

std::size_t AviWriter::AudioFramesDue(std::uint32_t videoFrames) const noexcept {
  // Audio that ends where video frame number videoFrames ends.
  const std::uint64_t due = static_cast<std::uint64_t>(videoFrames) * format_.scale *
                            static_cast<std::uint64_t>(format_.audio->samplesPerSecond) /
                            format_.rate;
  return static_cast<std::size_t>(due - sound_->FramesRendered());
}

HRESULT AviWriter::AddVideoFrame(const Frame& frame) {
  if (!IsOpen()) return E_HANDLE;
  if (frame.Width() != format_.width || frame.Height() != format_.height) return E_INVALIDARG;
  AviChunk chunks[2] = {{kChunkVideoDib, frame.Bits(), frame.ImageBytes()}, {}};
  if (format_.coding == VideoCoding::kMjpeg) {
    const HRESULT hr = mjpeg_.Encode(frame, videoBytes_);
    if (FAILED(hr)) return hr;
    chunks[0] = {kChunkVideoCompressed, videoBytes_.data(), videoBytes_.size()};
  }
  std::size_t count = 1;
  const std::uint64_t soundBefore = sound_->FramesRendered();
  if (format_.audio) {
    audioBytes_.clear();
    sound_->Render(AudioFramesDue(FramesWritten() + 1), audioBytes_);
    if (!audioBytes_.empty()) chunks[count++] = {kChunkAudio, audioBytes_.data(), audioBytes_.size()};
  }
  const HRESULT hr = container_.Write(chunks, count);
  // A frame that was not written takes its audio back: it is due again
  // with the next frame.
  if (FAILED(hr)) sound_->SetPosition(soundBefore);
  return hr;
}

HRESULT AviWriter::Close() { return container_.Close(); }

}  // namespace media
