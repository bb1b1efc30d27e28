// Engine reports about the camera itself: lost, plugged in again, marked as
// gone; the engine's own end; and the information screen that stands in
// while no camera is connected.
#include "core/messages/MessageRouter.h"

#include "PortalContract.h"
#include "common/Strings.h"
#include "core/MemberCall.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"

namespace portal {

using namespace engine;

bool MessageRouter::OnCameraLost(WPARAM, LPARAM) {
  timer_.Stop();
  bar_.ResetAfterCameraLoss();
  view_.SetPreviewLive(false);
  view_.Repaint();
  Notify(tovra2::kNotifyCameraGone);
  view_.PostToSelf(kMsgInterfaceRefresh, 0, 0);
  return true;
}

bool MessageRouter::OnReconnectRequest(WPARAM, LPARAM) {
  LONG connected = 0;
  if (session_.ReadConnected(&connected)) {
    AsMemberCall([&] { return session_.ConnectAutomatically(); });
    view_.LayOut();
    Notify(tovra2::kNotifyReconnectAttempted);
  }
  return true;
}

bool MessageRouter::OnReconnected(WPARAM, LPARAM) {
  const LONG before = AsMemberCall([&] { return session_.CurrentIndex(); });
  AsMemberCall([&] { return session_.ConnectAutomatically(); });
  const LONG after = AsMemberCall([&] { return session_.CurrentIndex(); });
  if (after != before) Notify(tovra2::kNotifyCameraChanged, after);
  return true;
}

// The engine marked a camera as gone: when it is this control's camera,
// the control lets it go.
bool MessageRouter::OnCameraStateCheck(WPARAM, LPARAM) {
  CameraRecord current;
  if (!session_.IsCameraConnected() || !session_.ReadCurrentCamera(&current) || current.state != kCameraGone) {
    return true;
  }
  timer_.Stop();
  bar_.ResetAfterCameraLoss();
  const bool wasRecording = movies_.RecordingLocal();
  AsMemberCall([&] { return session_.Disconnect(); });
  OnFormatReport(0, 0);  // the stream is gone: as if it had changed
  view_.LayOut();
  view_.Repaint();
  if (wasRecording) {
    OnRecordingEnded(kRecordingEndCameraLost, 0);
    bar_.Redraw();
  }
  ChooseInfoScreen();
  Notify(tovra2::kNotifyCameraGone);
  return true;
}

// The engine's process ended (killed or crashed): the control lets the
// engine go as it would an unplugged camera. A movie being recorded is
// finished from its capture file first; the client hears of the ended
// recording and of the lost camera only once the control is settled, with
// no engine left to call.
bool MessageRouter::OnEngineGone(WPARAM, LPARAM) {
  if (!session_.HasEngine()) return true;  // already let go
  timer_.Stop();
  bar_.ResetAfterCameraLoss();
  const bool wasRecording = movies_.RecordingLocal();
  if (wasRecording) AsMemberCall([&] { return movies_.Stop(); });
  session_.Abandon();
  hook_.Close();
  view_.SetPreviewLive(false);
  view_.LayOut();
  view_.Repaint();
  ChooseInfoScreen();
  if (wasRecording) {
    bar_.ShowRecordingEnded();
    Notify(tovra2::kNotifyRecordingEnded, kRecordingEndCameraLost);
  }
  Notify(tovra2::kNotifyCameraGone);
  return true;
}

void MessageRouter::ChooseInfoScreen() {
  auto show = [this](InfoScreenKind kind, const std::wstring& name = std::wstring()) {
    view_.ShowInfoScreen(kind, name);
  };
  if (!session_.HasEngine()) return show(InfoScreenKind::kNoCamera);
  if (session_.IsCameraConnected()) return show(InfoScreenKind::kNone);
  CameraRecord remembered;
  if (!session_.ReadRememberedCamera(&remembered, nullptr)) {
    if (session_.State().connectionWanted) show(InfoScreenKind::kCameraMissing);
    return;
  }
  if (remembered.state == kCameraGone) return show(InfoScreenKind::kCameraMissing);
  if (remembered.state == kCameraUnavailable || paused_) return show(InfoScreenKind::kNoCamera);
  if (AsMemberCall([&] { return session_.CurrentState(); }) == kCameraBusy) return show(InfoScreenKind::kCameraBusy);
  if (session_.State().connectionWanted) {
    return show(InfoScreenKind::kConnectionFailed,
                common::AnsiToWide(common::AnsiFieldToString(remembered.name, sizeof(remembered.name))));
  }
  show(InfoScreenKind::kNoCamera);
}

}  // namespace portal
