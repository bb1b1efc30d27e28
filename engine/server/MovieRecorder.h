// One client's movie recording: the AVI capture file (through the media
// library's writer), the text stamp on every frame, frame-by-frame versus
// timed frames, and the once-a-second progress report.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "CameraConfig.h"
#include "Microphone.h"
#include "media/AviWriter.h"
#include "media/TextStampStyle.h"

namespace engine {

struct MovieSettings {
  std::wstring path;
  FrameSize size;
  std::uint32_t framePeriodMs = 0;
  bool stepMode = false;  // frames only on request (record mode 3)
  bool mjpeg = false;
  int jpegQuality = media::MjpegEncoder::kDefaultQuality;
  std::optional<media::AudioFormat> audio;
  std::string textStamp;
  media::TextStampStyle style;
  media::AviLimits limits;
};

class MovieRecorder {
 public:
  HRESULT Start(const MovieSettings& settings);
  // Stamps and appends one frame; the writer's failure otherwise.
  HRESULT AddFrame(const media::Frame& frame);
  HRESULT Stop();

  bool Active() const noexcept { return writer_.IsOpen(); }
  bool StepMode() const noexcept { return settings_.stepMode; }
  FrameSize Size() const noexcept { return settings_.size; }
  std::uint32_t Frames() const noexcept { return writer_.FramesWritten(); }
  DWORD ElapsedMs() const noexcept { return ::GetTickCount() - started_; }
  // Frames a movie paced by its frame period holds by now: one at the
  // start and one more every period (without a period, one more than now).
  std::uint32_t FramesDue() const noexcept;
  // True once a second while recording (the caller posts the progress).
  bool ProgressDue() noexcept;

 private:
  MovieSettings settings_;
  media::AviWriter writer_;
  Microphone microphone_;
  media::Frame stamped_;
  DWORD started_ = 0;
  DWORD lastProgress_ = 0;
};

// Reasons of message 1544 for a writer failure: 1 = the disk (or the file
// size limit) is full, 3 = any other write failure.
long RecordingEndReason(HRESULT failure) noexcept;

}  // namespace engine
