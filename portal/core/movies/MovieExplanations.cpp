// What a client is told, under the movie prompt, when a movie cannot be
// recorded or kept where it was meant to go.
#include "core/movies/MovieRecording.h"

#include "common/Strings.h"
#include "engine/interface/EngineCommands.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"

namespace portal {

using namespace engine;

TargetCheckRequest MovieRecording::MovieTargetRequest(LONG cameraState, const std::wstring& cameraName,
                                                      bool diskTest) const {
  TargetCheckRequest request;
  request.kind = TargetKind::kMovie;
  request.path = common::WideToAnsi(target_);
  request.bytesNeeded = kMovieBytesNeeded;
  request.cameraState = cameraState;
  request.cameraName = cameraName;
  request.diskTest = diskTest;
  return request;
}

void MovieRecording::Show(const TargetMessage& message) {
  if (settings_.errorPrompt) {
    view_.ShowError(FormatTargetMessage(LoadResourceString(message.stringId), message.arguments));
  }
}

// Without a camera the target is tested as well, since the user may have
// more than one thing to put right; during another recording it cannot be
// used at all.
void MovieRecording::ExplainRefusal(bool connected) {
  CameraRecord remembered;
  const bool known = session_.ReadRememberedCamera(&remembered, nullptr);
  TargetCheckRequest request = MovieTargetRequest(known ? remembered.state : 0,
                                                  connected && known ? session_.DisplayName(remembered) : L"",
                                                  !connected);
  request.explainAlways = true;
  if (const auto message = CheckTarget(request, LoadResourceString(IDS_THOUSANDS_SEPARATOR))) Show(*message);
}

void MovieRecording::ExplainReason(LONG reason, bool explainOthers) {
  switch (reason) {
    case kReasonNoCamera: return Show({IDS_MOVIE_START_NO_CAMERA, {}});
    case kReasonBusy: return Show({IDS_MOVIE_START_BUSY, {}});
    case kReasonFile: return Show({IDS_MOVIE_START_FILE_ERROR, {}});
    default:
      if (explainOthers) Show({IDS_MOVIE_FAILED, {target_}});
  }
}

void MovieRecording::ExplainEndedRecording() {
  LONG state = 0;
  if (!session_.ReadCurrentState(&state) || state == kCameraUnavailable) return;
  CameraRecord remembered;
  if (!session_.ReadRememberedCamera(&remembered, nullptr)) return;
  const TargetCheckRequest request = MovieTargetRequest(state, session_.DisplayName(remembered), true);
  if (const auto message = CheckTarget(request, LoadResourceString(IDS_THOUSANDS_SEPARATOR))) Show(*message);
}

void MovieRecording::ExplainKept(const Recording& recording) {
  Show({IDS_MOVIE_KEPT, {recording.target, recording.capture.Path()}});
}

}  // namespace portal
