// Writes a movie capture file: AVI with one video stream (uncompressed
// 24-bit DIB or MJPEG) and, optionally, the synthetic microphone's PCM
// tone interleaved after each frame for that frame's duration; past 1 GiB
// the file continues in OpenDML form (AviContainer.h). Whether frames come
// one per explicit request or as a timed series, each one is an
// AddVideoFrame call. The file on disk is readable after every frame.
// Every failure (bad format, unwritable path, full disk, size limit) is
// returned as an HRESULT; what was written before a failure stays in the
// file, and a writer destroyed without Close still finishes the file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/AudioFormat.h"
#include "media/AviContainer.h"
#include "media/Frame.h"
#include "media/MjpegEncoder.h"
#include "media/ToneSource.h"

namespace media {

enum class VideoCoding { kUncompressedDib, kMjpeg };

struct MovieFormat {
  int width = 320, height = 240;
  VideoCoding coding = VideoCoding::kUncompressedDib;
  int jpegQuality = MjpegEncoder::kDefaultQuality;  // 1..100, MJPEG only
  // Frames per second as rate / scale, e.g. 15 / 1 or 30000 / 1001.
  std::uint32_t rate = 15, scale = 1;
  std::optional<AudioFormat> audio;  // none: a silent movie
  AviLimits limits;

  // rate / scale from a frame period in milliseconds (1000 / period
  // frames a second); a period of 0 gives 15 frames a second.
  void SetFramePeriodMs(std::uint32_t periodMs) noexcept {
    rate = periodMs ? 1000 : 15;
    scale = periodMs ? periodMs : 1;
  }
};

class AviWriter {
 public:
  AviWriter() = default;
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;
  ~AviWriter() { Close(); }

  // E_INVALIDARG for a size outside 1..Frame::kMaxDimension, a zero rate
  // or scale, a bad audio format or JPEG quality; the Win32 failure when
  // path cannot be created or written.
  HRESULT Open(const std::wstring& path, const MovieFormat& format);
  // The sound of the movies opened from now on: `source` (not owned; it
  // must outlive the movie), or the synthetic tone for null.
  void UseSound(SoundSource* source) noexcept { external_ = source; }
  bool IsOpen() const noexcept { return container_.IsOpen(); }

  // Appends one frame of the opened size (E_INVALIDARG otherwise) and its
  // audio. HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) once the file would
  // pass its limit; the file stays valid and can still be closed.
  HRESULT AddVideoFrame(const Frame& frame);

  // Finishes the file (index, final headers). Safe to call twice.
  HRESULT Close();

  std::uint32_t FramesWritten() const noexcept { return container_.Totals().videoFrames; }
  std::uint64_t FileBytes() const noexcept { return container_.FileBytes(); }
  std::size_t RiffParts() const noexcept { return container_.Parts(); }

 private:
  std::size_t AudioFramesDue(std::uint32_t videoFrames) const noexcept;

  AviContainer container_;
  MovieFormat format_;
  MjpegEncoder mjpeg_;
  ToneSource tone_;
  SoundSource* external_ = nullptr;
  SoundSource* sound_ = &tone_;
  std::vector<std::uint8_t> videoBytes_, audioBytes_;
};

}  // namespace media
