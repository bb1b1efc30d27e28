// Pictures to a file or into the caller's memory: the format and target
// checks, live video and the busy indicator around the picture, and the
// records that travel to the engine with every picture.
#include "core/VideoPortal.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "common/Strings.h"
#include "core/BusyIndicator.h"
#include "core/ErrorPrompt.h"
#include "core/TargetCheck.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ModuleState.h"
#include "server/ResourceModule.h"
#include "ui/OemDefinitions.h"

namespace portal {
namespace {

using namespace engine;

// Pictures from this width on are taken at the still size.
constexpr LONG kStillPictureWidth = 1280;

bool AcceptedFormat(LONG fourCC, LONG bitDepth) { return fourCC == 0 && bitDepth == 24; }

bool ForegroundInThisProcess() {
  DWORD process = 0;
  const HWND foreground = ::GetForegroundWindow();
  return foreground && ::GetWindowThreadProcessId(foreground, &process) && process == ::GetCurrentProcessId();
}

// Runs a clean-up when the scope ends, whichever way it ends.
template <typename Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(action) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { action_(); }

 private:
  Action action_;
};

// A page-file-backed mapping the engine fills with one picture; named
// after the system's millisecond time so that the engine can open it.
class PictureMapping {
 public:
  explicit PictureMapping(LONG size) {
    std::snprintf(name_, sizeof(name_), engine::kPictureMappingFormat, static_cast<long>(::timeGetTime()));
    mapping_.reset(
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), name_));
  }
  bool Created() const { return mapping_.valid(); }
  const char* Name() const { return name_; }
  // Copies the first size bytes of the picture to target.
  bool CopyTo(void* target, LONG size) const {
    common::UniqueMappedView view(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return false;
    std::memcpy(target, view.get(), static_cast<std::size_t>(size));
    return true;
  }

 private:
  char name_[32] = {};
  common::UniqueKernelHandle mapping_;
};

}  // namespace

// --- helpers ------------------------------------------------------------------

std::wstring VideoPortal::PictureCameraName(const engine::CameraRecord& camera) {
  std::wstring name = common::AnsiToWide(common::AnsiFieldToString(camera.name, sizeof(camera.name)));
  if (camera.type == kCameraTypeBranded && !connection_.uniqueName.empty()) {
    if (auto brand = skin::OemCameraDisplayName(ModuleState::Instance())) name = *brand;
  }
  return name;
}

bool VideoPortal::CheckPictureTarget(const std::string& path) {
  // Without a camera in a usable state there is nothing to explain: the
  // check fails silently.
  engine::CameraRecord camera;
  LONG state = 0;
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  if (!engine_ || !engine_->InquireRecord(kCmdCurrentCamera, kNoSubCode, &camera) ||
      !engine_->InquireLong(kCmdCameraState, kNoSubCode, &state) || state == kCameraUnavailable ||
      !ReadFormat(&width, &height, &bitDepth, &fourCC)) {
    return false;
  }
  TargetCheckRequest request;
  request.kind = TargetKind::kPicture;
  request.path = path;
  // Pictures always arrive as 24-bit bitmaps, whatever the camera delivers.
  request.bytesNeeded = static_cast<ULONGLONG>(PictureSize(width, height, 24));
  request.cameraState = state;
  request.cameraName = PictureCameraName(camera);
  request.diskTest = !RecordingActiveGlobal();
  const auto message = CheckTarget(request, LoadResourceString(IDS_THOUSANDS_SEPARATOR));
  if (!message) return true;
  if (settings_.enablePictureDiskErrorPrompt) {
    ShowErrorPrompt(FormatTargetMessage(LoadResourceString(message->stringId), message->arguments));
  }
  return false;
}

bool VideoPortal::PauseLiveVideo() {
  LONG live = 0;
  ReadProperty(kPropLiveVideo, &live);
  if (!connection_.allowPreviewDuringPictures) WriteProperty(kPropLiveVideo, 0);
  return live != 0;
}

void VideoPortal::ResumeLiveVideo(bool wasOn) {
  // Written directly: the client's refusal of live video applies to its
  // own puts, not to the control restoring what it found.
  if (wasOn) WriteProperty(kPropLiveVideo, 1);
}

bool VideoPortal::BusyIndicatorWanted(bool liveVideoWasOn) {
  const HWND window = window_.Handle();
  return liveVideoWasOn && window && ::IsWindowVisible(window) && ForegroundInThisProcess();
}

void VideoPortal::SendPictureStyle() {
  engine_->ExecuteRecord(kCmdTextStamp, kNoSubCode, MakeTextStampRecord(settings_.textStamp));
}

void VideoPortal::SendPictureSound() {
  engine_->ExecuteRecord(kCmdPicture, kPictureSound, MakePictureSoundRecord(settings_.pictureSound));
}

// --- IVideoPortal ---------------------------------------------------------------

HRESULT VideoPortal::PictureToFile(LONG lFormatFourCC, LONG lBitDepth, BSTR strFileName, BSTR strTextStamp,
                                   LONG* plResult) {
  BusyScope busy;
  if (!AcceptedFormat(lFormatFourCC, lBitDepth)) return Result(plResult, false);
  const std::wstring fileName = common::BstrToWide(strFileName);
  const std::string path = common::WideToAnsi(fileName);
  if (!CheckPictureTarget(path)) return Result(plResult, false);

  bool taken = false;
  {
    // Live video comes back before the indicator goes.
    BusyIndicator indicator;
    const bool liveVideoWasOn = PauseLiveVideo();
    ScopeExit resume([&] { ResumeLiveVideo(liveVideoWasOn); });
    if (BusyIndicatorWanted(liveVideoWasOn)) indicator.Show(ModuleState::ResourceModule(), window_.Handle());
    SendPictureStyle();
    SendPictureSound();
    taken = engine_->ExecuteRecord(kCmdPicture, kPictureToFile,
                                   MakePictureRequest(fileName, common::BstrToWide(strTextStamp), 0));
  }
  // A failed picture is explained when the target is the cause.
  if (!taken) CheckPictureTarget(path);
  return Result(plResult, taken);
}

HRESULT VideoPortal::PictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG_PTR lMemory, LONG* plMemorySize,
                                     BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  if (!HasEngine() || !AcceptedFormat(lFormatFourCC, lBitDepth) || !plMemorySize) return Result(plResult, false);
  BusyIndicator indicator;  // shown only for a real picture, below
  const bool liveVideoWasOn = PauseLiveVideo();
  ScopeExit resume([&] { ResumeLiveVideo(liveVideoWasOn); });

  // Without a known format the size is unknown: nothing can be promised.
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  if (!ReadFormat(&width, &height, &bitDepth, &fourCC)) return Result(plResult, false);
  const LONGLONG size = PictureSize(width, height, lBitDepth);
  if (size > MAXLONG) return Result(plResult, false);
  if (lMemory == 0) {
    *plMemorySize = static_cast<LONG>(size);
    return Result(plResult, true);
  }
  if (*plMemorySize < size) return Result(plResult, false);

  const LONG bufferSize = *plMemorySize;
  if (BusyIndicatorWanted(liveVideoWasOn)) indicator.Show(ModuleState::ResourceModule(), window_.Handle());
  SendPictureStyle();
  SendPictureSound();
  const PictureMapping mapping(bufferSize);
  if (!mapping.Created()) return Result(plResult, false);
  const LONG subCode =
      connection_.stillCapable && width >= kStillPictureWidth ? kPictureToMappingStill : kPictureToMapping;
  const bool taken =
      engine_->ExecuteRecord(kCmdPicture, subCode,
                             MakePictureRequest(common::AnsiToWide(mapping.Name()), common::BstrToWide(strTextStamp),
                                                static_cast<DWORD>(bufferSize)));
  // The caller's buffer changes only with a picture the engine delivered.
  return Result(plResult, taken && mapping.CopyTo(reinterpret_cast<void*>(lMemory), bufferSize));
}

}  // namespace portal
