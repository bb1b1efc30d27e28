// Movie recording into an AVI capture file.
#include "MovieRecorder.h"

#include "media/TextStamp.h"

namespace engine {

HRESULT MovieRecorder::Start(const MovieSettings& settings) {
  Stop();
  media::MovieFormat format;
  format.width = settings.size.width;
  format.height = settings.size.height;
  format.coding = settings.mjpeg ? media::VideoCoding::kMjpeg : media::VideoCoding::kUncompressedDib;
  format.jpegQuality = settings.jpegQuality;
  format.SetFramePeriodMs(settings.framePeriodMs);
  format.audio = settings.audio;
  format.limits = settings.limits;
  // Sound from the audio capture device when there is one that takes the
  // movie's format, else the synthetic tone.
  const bool live = settings.audio && Microphone::Present() && SUCCEEDED(microphone_.Reset(*settings.audio));
  writer_.UseSound(live ? &microphone_ : nullptr);
  const HRESULT hr = writer_.Open(settings.path, format);
  if (FAILED(hr)) {
    microphone_.Close();
    return hr;
  }
  settings_ = settings;
  started_ = lastProgress_ = ::GetTickCount();
  return S_OK;
}

HRESULT MovieRecorder::AddFrame(const media::Frame& frame) {
  if (!Active()) return E_UNEXPECTED;
  if (settings_.textStamp.empty()) return writer_.AddVideoFrame(frame);
  stamped_ = frame;
  // A stamp that cannot be drawn leaves the frame as the camera gave it.
  media::DrawTextStamp(stamped_, settings_.textStamp, settings_.style);
  return writer_.AddVideoFrame(stamped_);
}

HRESULT MovieRecorder::Stop() {
  if (!Active()) return S_OK;
  const HRESULT hr = writer_.Close();
  microphone_.Close();
  return hr;
}

std::uint32_t MovieRecorder::FramesDue() const noexcept {
  if (settings_.framePeriodMs == 0) return Frames() + 1;
  return 1 + ElapsedMs() / settings_.framePeriodMs;
}

bool MovieRecorder::ProgressDue() noexcept {
  const DWORD now = ::GetTickCount();
  if (now - lastProgress_ < 1000) return false;
  lastProgress_ = now;
  return true;
}

long RecordingEndReason(HRESULT failure) noexcept {
  if (failure == HRESULT_FROM_WIN32(ERROR_DISK_FULL) ||
      failure == HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL) ||
      failure == HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)) {
    return 1;
  }
  return 3;
}

}  // namespace engine
