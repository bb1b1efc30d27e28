// The capture format: setting and reading it (with the high-resolution
// still mode), and the probe of the sizes a camera supports.
#include "core/session/CameraSession.h"

#include "PortalContract.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

using namespace engine;

namespace {

// Wider formats are stills: the live video stays at 640 x 480 x 24.
constexpr LONG kStillModeWidth = 640;
constexpr LONG kStillModeLiveHeight = 480;
constexpr LONG kLiveBitDepth = 24;

struct ProbedSize {
  Resolution size;
  LONG width, height;
};

// Sizes the live format probe asks for; 1280 x 960 may also be a still
// size, and 1600 wide is never offered.
constexpr ProbedSize kLiveSizes[] = {{Resolution::k160x120, 160, 120}, {Resolution::k240x180, 240, 180},
                                     {Resolution::k320x240, 320, 240}, {Resolution::k640x480, 640, 480},
                                     {Resolution::k800x600, 800, 600}, {Resolution::k1024x768, 1024, 768}};
constexpr ProbedSize kLargeSize = {Resolution::k1280x960, 1280, 960};

}  // namespace

bool CameraSession::SetFormat(LONG width, LONG height, LONG bitDepth, LONG fourCC) {
  if (!engine_) return false;
  if (width <= kStillModeWidth) {
    state_.highResolutionStillMode = false;
    const bool set =
        engine_->ExecuteRecord(kCmdFormat, kFormatSet, MakeVideoFormatRecord(width, height, bitDepth, fourCC));
    if (set) view_.LayOut();
    return set;
  }
  state_.highResolutionStillMode = true;
  if (!state_.stillCapable) return false;  // the mode stays entered
  const bool set =
      engine_->ExecuteRecord(kCmdFormat, kFormatSet,
                             MakeVideoFormatRecord(kStillModeWidth, kStillModeLiveHeight, kLiveBitDepth, 0)) &&
      engine_->ExecuteRecord(kCmdStillFormat, kStillSet, MakeStillFormatRecord(width, height));
  if (set) {
    events_.Notify(tovra2::kNotifyFormatChanged, width, height, 0);
    view_.LayOut();
  }
  return set;
}

bool CameraSession::ReadFormat(LONG* width, LONG* height, LONG* bitDepth, LONG* fourCC) {
  if (!engine_) return false;
  StillFormatRecord still;
  if (state_.highResolutionStillMode && state_.stillCapable &&
      engine_->InquireRecord(kCmdStillFormat, kStillRead, &still)) {
    *width = still.width;
    *height = still.height;
    *bitDepth = still.bitDepth;
    *fourCC = 0;
    return true;
  }
  // Outside the still mode, and in it without a usable still format, the
  // ordinary format answers.
  VideoFormatRecord format;
  if (!engine_->InquireRecord(kCmdFormat, kFormatRead, &format)) return false;
  *width = format.header.biWidth;
  *height = format.header.biHeight;
  *bitDepth = format.header.biBitCount;
  *fourCC = static_cast<LONG>(format.header.biCompression);
  return true;
}

// The size asked about travels in the input: an inquiry's output buffer
// only comes back from the engine, it never reaches it.
void CameraSession::ProbeFormatSupport() {
  auto& supported = state_.formatSupported;
  supported.fill(true);
  const auto probeLive = [&](const ProbedSize& size) {
    return engine_->InquireAbout(kCmdFormat, kFormatProbe,
                                 MakeVideoFormatRecord(size.width, size.height, kLiveBitDepth, 0));
  };
  for (const ProbedSize& size : kLiveSizes) supported[static_cast<size_t>(size.size)] = probeLive(size);
  supported[static_cast<size_t>(kLargeSize.size)] =
      probeLive(kLargeSize) ||
      engine_->InquireAbout(kCmdStillFormat, kStillProbe, MakeStillFormatRecord(kLargeSize.width, kLargeSize.height));
  supported[static_cast<size_t>(Resolution::k1600)] = false;
}

}  // namespace portal
