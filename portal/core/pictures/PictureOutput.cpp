// Pictures to a file or into the caller's memory.
#include "core/pictures/PictureOutput.h"

#include "common/ScopeExit.h"
#include "common/Strings.h"
#include "core/pictures/PictureMapping.h"
#include "core/pictures/TargetCheck.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"

namespace portal {

using namespace engine;

namespace {

constexpr LONG kPictureBitDepth = 24;
// Pictures from this width on are taken at the still size when the camera
// is still capable.
constexpr LONG kStillPictureWidth = 1280;

}  // namespace

bool PictureOutput::AcceptedFormat(LONG fourCC, LONG bitDepth) { return fourCC == 0 && bitDepth == kPictureBitDepth; }

bool PictureOutput::CheckTarget(const std::string& path) {
  // Without a camera in a usable state there is nothing to explain: the
  // check fails silently.
  CameraRecord camera;
  LONG state = 0;
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  if (!session_.ReadCurrentCamera(&camera) || !session_.ReadCurrentState(&state) || state == kCameraUnavailable ||
      !session_.ReadFormat(&width, &height, &bitDepth, &fourCC)) {
    return false;
  }
  TargetCheckRequest request;
  request.kind = TargetKind::kPicture;
  request.path = path;
  // Pictures always arrive as 24-bit bitmaps, whatever the camera delivers.
  request.bytesNeeded = static_cast<ULONGLONG>(PictureSize(width, height, kPictureBitDepth));
  request.cameraState = state;
  request.cameraName = session_.DisplayName(camera);
  request.diskTest = !session_.RecordingAnywhereOnCurrentCamera();
  const auto message = portal::CheckTarget(request, LoadResourceString(IDS_THOUSANDS_SEPARATOR));
  if (!message) return true;
  if (settings_.diskErrorPrompt) {
    view_.ShowError(FormatTargetMessage(LoadResourceString(message->stringId), message->arguments));
  }
  return false;
}

bool PictureOutput::PauseLiveVideo() {
  LONG live = 0;
  session_.ReadProperty(kPropLiveVideo, &live);
  if (!session_.State().allowPreviewDuringPictures) session_.WriteProperty(kPropLiveVideo, 0);
  return live != 0;
}

void PictureOutput::ResumeLiveVideo(bool wasOn) {
  // Written directly: the client's refusal of live video applies to its
  // own puts, not to the control restoring what it found.
  if (wasOn) session_.WriteProperty(kPropLiveVideo, 1);
}

void PictureOutput::ShowBusyIndicatorIfWanted(bool liveVideoWasOn) {
  if (liveVideoWasOn && view_.ShownInForeground()) view_.ShowBusyIndicator();
}

void PictureOutput::SendStyleAndSound() {
  EngineLink& engine = *session_.Engine();
  engine.ExecuteRecord(kCmdTextStamp, kNoSubCode, MakeTextStampRecord(settings_.textStamp));
  engine.ExecuteRecord(kCmdPicture, kPictureSound, MakePictureSoundRecord(settings_.sound));
}

bool PictureOutput::ToFile(LONG fourCC, LONG bitDepth, const std::wstring& fileName, const std::wstring& textStamp) {
  if (!AcceptedFormat(fourCC, bitDepth)) return false;
  const std::string path = common::WideToAnsi(fileName);
  if (!CheckTarget(path)) return false;
  bool taken = false;
  {
    // Live video comes back before the indicator goes.
    const common::ScopeExit hide([this] { view_.HideBusyIndicator(); });
    const bool liveVideoWasOn = PauseLiveVideo();
    const common::ScopeExit resume([&] { ResumeLiveVideo(liveVideoWasOn); });
    ShowBusyIndicatorIfWanted(liveVideoWasOn);
    SendStyleAndSound();
    taken = session_.Engine()->ExecuteRecord(kCmdPicture, kPictureToFile, MakePictureRequest(fileName, textStamp, 0));
  }
  // A failed picture is explained when the target is the cause.
  if (!taken) CheckTarget(path);
  return taken;
}

bool PictureOutput::ToMemory(LONG fourCC, LONG bitDepth, LONG_PTR memory, LONG* size, const std::wstring& textStamp) {
  if (!session_.HasEngine() || !AcceptedFormat(fourCC, bitDepth)) return false;
  const common::ScopeExit hide([this] { view_.HideBusyIndicator(); });  // shown only for a real picture
  const bool liveVideoWasOn = PauseLiveVideo();
  const common::ScopeExit resume([&] { ResumeLiveVideo(liveVideoWasOn); });

  // Without a known format the size is unknown: nothing can be promised.
  LONG width = 320, height = 240, formatDepth = 0, formatFourCC = 0;
  if (!session_.ReadFormat(&width, &height, &formatDepth, &formatFourCC)) return false;
  const LONGLONG needed = PictureSize(width, height, bitDepth);
  if (needed > MAXLONG) return false;
  if (memory == 0) {
    *size = static_cast<LONG>(needed);
    return true;
  }
  if (*size < needed) return false;

  const LONG bufferSize = *size;
  ShowBusyIndicatorIfWanted(liveVideoWasOn);
  SendStyleAndSound();
  const PictureMapping mapping(bufferSize);
  if (!mapping.Created()) return false;
  const LONG subCode =
      session_.State().stillCapable && width >= kStillPictureWidth ? kPictureToMappingStill : kPictureToMapping;
  const bool taken = session_.Engine()->ExecuteRecord(
      kCmdPicture, subCode,
      MakePictureRequest(common::AnsiToWide(mapping.Name()), textStamp, static_cast<DWORD>(bufferSize)));
  return taken && mapping.CopyTo(reinterpret_cast<void*>(memory), bufferSize);
}

}  // namespace portal
