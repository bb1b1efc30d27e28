// frmMain: the PortalNotification handler: motion reports, recordings the
// control ended by itself, and the camera going away.
#include <string>

#include "AlarmSound.h"
#include "ErrorScope.h"
#include "MotionDecision.h"
#include "PortalContract.h"
#include "TimeStampName.h"
#include "TorvaneIds.h"
#include "frmMain.h"

namespace torvane {

void frmMain::PortalNotification(long lMsg, LONG_PTR lParam1, LONG_PTR, LONG_PTR) {
  switch (lMsg) {
    case tovra2::kNotifyMotion:
      MotionReport(static_cast<long>(lParam1));
      break;
    case tovra2::kNotifyRecordingEnded: {
      ErrorScope scope(context_, procedures::kMainPortal);
      scope.Run([&] { context_.prompter.SystemMessage(std::to_wstring(static_cast<long>(lParam1))); });
      break;
    }
    case tovra2::kNotifyCameraGone:
      CameraDetached();
      break;
    default:
      break;
  }
}

void frmMain::MotionReport(long value) {
  const MotionDecision decision = DecideMotion(Global(), value, ToLocalSeconds(context_.clock()));
  if (!decision.acted) return;
  ErrorScope scope(context_, procedures::kMainPortal);
  GlobalState& g = Global();
  if (decision.stopMovie) {
    scope.Run([&] { vidPort_.StopMovieRecording(); });
    g.MotionMovieActive = false;
    return;
  }
  if (!decision.motion) return;
  scope.Run([&] { ShowControl(IDC_SNAPSHOT, true); });
  if (decision.storePicture) {
    bool stored = false;
    scope.Run([&] { stored = StoreMotionPicture(); });
    // The count is what the stop reports as stored: a picture that did not
    // reach its file (logged, or a picture of the same second kept) is
    // neither counted nor announced.
    if (stored) {
      ++motionFileCount_;
      scope.Run([&] {
        SetControlText(IDC_MOTIONMESS, L"Image captured by motion detector!");
        ShowControl(IDC_MOTIONMESS, true);
      });
    }
  }
  if (decision.startMovie) StartMotionMovie(scope);
  if (decision.playAlarm) scope.Run([&] { PlayAlarmAndWait(); });
}

void frmMain::StartMotionMovie(ErrorScope& scope) {
  GlobalState& g = Global();
  scope.Run([&] { vidPort_.SetMovieRecordAudio(g.MotionSound); });
  // An ordinary recording: a time-lapse movie before may have left the
  // control in its frames-only mode, which would record nothing here.
  scope.Run([&] { vidPort_.SetMovieRecordMode(2); });
  scope.Run([&] { g.LastFileName = TimeStampedFileName(g.StoreFolder, g.FilePrefix, context_.clock(), L".avi"); });
  scope.Run([&] { vidPort_.StartMovieRecording(g.LastFileName, L""); });
  scope.Run([&] {
    SetControlText(IDC_MOTIONMESS, L"Movie recorded by motion detector!");
    ShowControl(IDC_MOTIONMESS, true);
  });
  scope.Run([&] {
    SetControlText(IDC_FILENAME, g.LastFileName);
    ShowControl(IDC_FILENAME, true);
  });
  ++motionFileCount_;
  g.MotionMovieActive = true;
}

void frmMain::CameraDetached() {
  ErrorScope scope(context_, procedures::kMainPortal);
  scope.Run([&] {
    context_.prompter.MessBox(L"The camera has been detached from the computer!\r\n\r\n"
                              L"Torvane will now terminate. To resume, please re-connect the camera and start "
                              L"Torvane again",
                              L"x", L"OK", L"No camera!");
  });
  scope.Run([&] { SetStatusText(1, L"Camera detached"); });
  scope.Run([&] { ShowControl(IDC_LIVEVIEW, false); });
  // At once: open dialogs are not asked to close and nothing else runs.
  context_.end.Now();
}

}  // namespace torvane
