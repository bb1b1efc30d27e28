// Reports the camera engine posts to the control's window, turned into
// PortalNotification events.
#include "core/VideoPortal.h"

#include "PortalContract.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"

namespace portal {
namespace {

constexpr UINT kStatusTimerPeriodMs = 1000;

LONG_PTR Long(WPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }
LONG_PTR Long(LPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }

}  // namespace

int VideoPortal::RemoveQueued(UINT message, MSG* last) {
  int removed = 0;
  MSG queued;
  while (::PeekMessageW(&queued, window_.Handle(), message, message, PM_REMOVE)) {
    *last = queued;
    ++removed;
  }
  return removed;
}

bool VideoPortal::HandleEngineMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG last = {};
  switch (message) {
    case engine::kMsgMotionReport: OnMotionReport(wParam, lParam); return true;
    case engine::kMsgRecordingEnded: {
      LONG ignored = 0;
      StopMovieRecording(&ignored);
      const bool known = wParam >= engine::kRecordingEndDiskFull && wParam <= engine::kRecordingEndWriteFailure;
      FireNotification(tovra2::kNotifyRecordingEnded, known ? Long(wParam) : 0, 0, 0);
      PostRefresh();
      return true;
    }
    case engine::kMsgCameraLost:
      if (statusTimer_) ::KillTimer(window_.Handle(), kStatusTimer);
      statusTimer_ = false;
      preview_.SetLive(false);
      ::InvalidateRect(window_.Handle(), nullptr, TRUE);
      FireNotification(tovra2::kNotifyCameraGone, 0, 0, 0);
      PostRefresh();
      return true;
    case engine::kMsgReconnectRequest: {
      LONG connected = 0;
      if (engine_ && engine_->InquireLong(engine::kCmdConnected, engine::kNoSubCode, &connected)) {
        LONG ignored = 0;
        ConnectCamera2(&ignored);
        LayOut();
        FireNotification(tovra2::kNotifyReconnectAttempted, 0, 0, 0);
      }
      return true;
    }
    case engine::kMsgInterfaceRefresh: ChooseInfoScreen(); return true;
    case engine::kMsgStatusRedraw:
    case engine::kMsgStatusRedraw2:
    case engine::kMsgStatusRedraw3: LayOut(); return true;
    case engine::kMsgPlainReport:
      // One queued copy comes back once more later; a burst is dropped.
      if (RemoveQueued(message, &last) == 1) ::PostMessageW(window_.Handle(), message, last.wParam, last.lParam);
      FireNotification(tovra2::kNotifyPlainReport, 0, 0, 0);
      return true;
    case engine::kMsgReconnected: {
      LONG before = tovra2::kNoCameraIndex, after = tovra2::kNoCameraIndex, ignored = 0;
      get_CameraIndex(&before);
      ConnectCamera2(&ignored);
      get_CameraIndex(&after);
      if (after != before) FireNotification(tovra2::kNotifyCameraChanged, after, 0, 0);
      return true;
    }
    case engine::kMsgFormatReport: {
      LayOut();
      LONG width = 320, height = 240, depth = 0, fourCC = 0;
      ReadFormat(&width, &height, &depth, &fourCC);
      FireNotification(tovra2::kNotifyFormatChanged, width, height, 0);
      return true;
    }
    case engine::kMsgRedraw: {
      ::InvalidateRect(window_.Handle(), nullptr, TRUE);
      LONG state = 0;
      get_CameraState(&state);
      if (state == engine::kCameraBusy) FireNotification(tovra2::kNotifyCameraBusy, 0, 0, 0);
      return true;
    }
    case engine::kMsgPause:
      paused_ = wParam == engine::kPauseOn;
      if (!paused_) LayOut();
      ::InvalidateRect(window_.Handle(), nullptr, TRUE);
      return true;
    case engine::kMsgValueReport:
      if (RemoveQueued(message, &last) == 1) ::PostMessageW(window_.Handle(), message, wParam, lParam);
      FireNotification(tovra2::kNotifyValueReport, Long(wParam), Long(lParam), 0);
      return true;
    case engine::kMsgHookFrame: OnHookFrame(lParam); return true;
    case engine::kMsgRecordingProgress:
      if (wParam == 0 && RemoveQueued(message, &last) > 0) {
        wParam = last.wParam;
        lParam = last.lParam;
      }
      if (recordingLocal_) FireNotification(tovra2::kNotifyRecordingProgress, 0, Long(wParam), Long(lParam));
      return true;
    case engine::kMsgCameraStateCheck: OnCameraGone(); return true;
    case engine::kMsgPropertyChanged:
      FireNotification(tovra2::kNotifyPropertyChanged, Long(wParam), Long(lParam), 0);
      return true;
    case engine::kMsgIndicatorTimer:
      if (wParam != 0) {
        statusTimer_ = ::SetTimer(window_.Handle(), kStatusTimer, kStatusTimerPeriodMs, nullptr) != 0;
      } else if (statusTimer_) {
        ::KillTimer(window_.Handle(), kStatusTimer);
        statusTimer_ = false;
      }
      FireNotification(tovra2::kNotifyIndicatorTimer, Long(wParam), Long(lParam), 0);
      return true;
    default: return false;
  }
}

// Motion reports: a report with first parameter 0 stands for the newest
// non-zero report still queued; 1 and 2 are status notices.
void VideoPortal::OnMotionReport(WPARAM wParam, LPARAM lParam) {
  if (wParam == engine::kMotionNewestQueued) {
    MSG queued;
    while (::PeekMessageW(&queued, window_.Handle(), engine::kMsgMotionReport, engine::kMsgMotionReport, PM_REMOVE)) {
      wParam = queued.wParam;
      lParam = queued.lParam;
      if (wParam != engine::kMotionNewestQueued) break;
    }
  }
  // Kinds 1 and 2 are status notices for the status bar, not motion.
  if (wParam == engine::kMotionNoticeFirst || wParam == engine::kMotionNoticeSecond) return;
  LONG reporting = 0;
  const bool on = ReadProperty(engine::kPropMotionReport, &reporting) && reporting != 0;
  LONG local = 0;
  get_MovieRecordingActiveLocal(&local);
  const bool otherRecording = RecordingActiveGlobal() && !local;
  FireNotification(tovra2::kNotifyMotion, on && !otherRecording ? Long(lParam) : 0, 0, 0);
}

// The engine marked the current camera as gone.
void VideoPortal::OnCameraGone() {
  engine::CameraRecord current;
  if (!IsCameraConnected() || !engine_->InquireRecord(engine::kCmdCurrentCamera, engine::kNoSubCode, &current) ||
      current.state != engine::kCameraGone) {
    return;
  }
  if (statusTimer_) ::KillTimer(window_.Handle(), kStatusTimer);
  statusTimer_ = false;
  const bool wasRecording = recordingLocal_;
  LONG ignored = 0;
  DisconnectCamera(&ignored);
  LayOut();
  ::InvalidateRect(window_.Handle(), nullptr, TRUE);
  if (wasRecording) {
    StopMovieRecording(&ignored);
    FireNotification(tovra2::kNotifyRecordingEnded, engine::kRecordingEndCameraLost, 0, 0);
  }
  ChooseInfoScreen();
  FireNotification(tovra2::kNotifyCameraGone, 0, 0, 0);
}

void VideoPortal::OnHookFrame(LPARAM lParam) {
  const BITMAPINFOHEADER* header = nullptr;
  const BYTE* pixels = nullptr;
  if (!hook_.IsOpen() || !hook_.Prepare(&header, &pixels)) return;
  FireNotification(tovra2::kNotifyHookFrame, reinterpret_cast<LONG_PTR>(header), reinterpret_cast<LONG_PTR>(pixels),
                   Long(lParam));
}

}  // namespace portal
