// The message table and the engine reports that are forwarded, coalesced
// or shown.
#include "core/messages/MessageRouter.h"

#include "PortalContract.h"
#include "common/ScopeExit.h"
#include "core/MemberCall.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "ui/UiMessages.h"

namespace portal {

using namespace engine;

namespace {

// Report parameters travel as 32-bit values.
LONG_PTR Long(WPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }
LONG_PTR Long(LPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }

}  // namespace

const MessageRouter::Route MessageRouter::kRoutes[] = {
    {kMsgMotionReport, &MessageRouter::OnMotionReport},
    {kMsgRecordingEnded, &MessageRouter::OnRecordingEnded},
    {kMsgCameraLost, &MessageRouter::OnCameraLost},
    {kMsgReconnectRequest, &MessageRouter::OnReconnectRequest},
    {kMsgInterfaceRefresh, &MessageRouter::OnInterfaceRefresh},
    {kMsgStatusRedraw, &MessageRouter::OnStatusRedraw},
    {kMsgStatusRedraw2, &MessageRouter::OnStatusRedraw},
    {kMsgStatusRedraw3, &MessageRouter::OnStatusRedraw},
    {kMsgPlainReport, &MessageRouter::OnPlainReport},
    {kMsgReconnected, &MessageRouter::OnReconnected},
    {kMsgFormatReport, &MessageRouter::OnFormatReport},
    {kMsgRedraw, &MessageRouter::OnRedraw},
    {kMsgPause, &MessageRouter::OnPause},
    {kMsgValueReport, &MessageRouter::OnValueReport},
    {kMsgHookFrame, &MessageRouter::OnHookFrame},
    {kMsgRecordingProgress, &MessageRouter::OnRecordingProgress},
    {kMsgCameraStateCheck, &MessageRouter::OnCameraStateCheck},
    {kMsgPropertyChanged, &MessageRouter::OnPropertyChanged},
    {kMsgIndicatorTimer, &MessageRouter::OnIndicatorTimer},
    {kMsgEngineGone, &MessageRouter::OnEngineGone},
    {kMsgResolutionButton, &MessageRouter::OnResolutionButton},
    {kMsgCameraButton, &MessageRouter::OnCameraButton},
    {kMsgFormatSequenceRequest, &MessageRouter::OnFormatSequenceRequest},
    {kMsgCompanionButton, &MessageRouter::OnCompanionButton},
    {kMsgModePane, &MessageRouter::OnModePane},
    {kMsgValuePane, &MessageRouter::OnValuePane},
    {WM_COMMAND, &MessageRouter::OnCommand},
    {WM_TIMER, &MessageRouter::OnTimer},
};

MessageRouter::MessageRouter(const Parts& parts)
    : session_(parts.session),
      movies_(parts.movies),
      hook_(parts.hook),
      bar_(parts.bar),
      resolutionMenu_(parts.resolutionMenu),
      cameraMenu_(parts.cameraMenu),
      launchers_(parts.launchers),
      view_(parts.view),
      events_(parts.events),
      ownTimer_(parts.view),
      timer_(parts.timer ? *parts.timer : ownTimer_) {}

bool MessageRouter::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const Route& route : kRoutes) {
    if (route.message == message) return (this->*route.handle)(wParam, lParam);
  }
  return false;
}

int MessageRouter::RemoveQueued(UINT message, MSG* last) {
  int removed = 0;
  MSG queued;
  while (view_.TakeQueued(message, &queued)) {
    *last = queued;
    ++removed;
  }
  return removed;
}

void MessageRouter::RefreshIndicators() {
  if (bar_.UpdateIndicators()) bar_.Redraw();
}

// A report with first parameter 0 stands for the newest non-zero report
// still queued; kinds 1 and 2 are status notices, not motion.
bool MessageRouter::OnMotionReport(WPARAM wParam, LPARAM lParam) {
  if (wParam == kMotionNewestQueued) {
    MSG queued;
    while (view_.TakeQueued(kMsgMotionReport, &queued)) {
      wParam = queued.wParam;
      lParam = queued.lParam;
      if (wParam != kMotionNewestQueued) break;
    }
  }
  // The client reacts to one motion event at a time. Its reaction calls
  // the control, and a call out to the engine lets the window's queue run:
  // a report handled then would start a second reaction inside the first
  // (two pictures through one temporary file). It is dropped; the reports
  // after the reaction carry newer values.
  if (motionEventRunning_) return true;
  if (wParam == kMotionNoticeFirst || wParam == kMotionNoticeSecond) {
    if (bar_.Exists() && !AsMemberCall([&] { return session_.RecordingAnywhere(); })) bar_.ShowMotionNotice(wParam);
    return true;
  }
  // The value counts while motion reporting is on, unless another client
  // records.
  LONG reporting = 0;
  const bool on = session_.ReadProperty(kPropMotionReport, &reporting) && reporting != 0;
  LONG local = 0;
  AsMemberCall([&] { return movies_.ReadActiveLocal(&local); });
  LONG global = 0;
  AsMemberCall([&] { return movies_.ReadActiveGlobal(&global); });
  const bool otherRecording = global != 0 && local == 0;
  motionEventRunning_ = true;
  const common::ScopeExit done([this] { motionEventRunning_ = false; });
  Notify(tovra2::kNotifyMotion, on && !otherRecording ? Long(lParam) : 0);
  return true;
}

// The movie written so far is finished at its target before the client
// hears of the end; then the user learns whether the target or the camera
// was the cause.
bool MessageRouter::OnRecordingEnded(WPARAM wParam, LPARAM) {
  AsMemberCall([&] { return movies_.Stop(); });
  bar_.ShowRecordingEnded();
  const bool known = wParam >= kRecordingEndDiskFull && wParam <= kRecordingEndWriteFailure;
  Notify(tovra2::kNotifyRecordingEnded, known ? Long(wParam) : 0);
  AsMemberCall([&] {
    movies_.ExplainEndedRecording();
    return true;
  });
  view_.PostToSelf(kMsgInterfaceRefresh, 0, 0);
  return true;
}

bool MessageRouter::OnInterfaceRefresh(WPARAM, LPARAM) {
  ChooseInfoScreen();
  return true;
}

bool MessageRouter::OnStatusRedraw(WPARAM, LPARAM) {
  bar_.Redraw();
  view_.LayOut();
  return true;
}

// One queued copy comes back once more later; a burst is dropped.
bool MessageRouter::OnPlainReport(WPARAM, LPARAM) {
  MSG last = {};
  if (RemoveQueued(kMsgPlainReport, &last) == 1) view_.PostToSelf(kMsgPlainReport, last.wParam, last.lParam);
  Notify(tovra2::kNotifyPlainReport);
  return true;
}

bool MessageRouter::OnFormatReport(WPARAM, LPARAM) {
  view_.LayOut();
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  AsMemberCall([&] { return session_.ReadFormat(&width, &height, &bitDepth, &fourCC); });
  Notify(tovra2::kNotifyFormatChanged, width, height);
  return true;
}

bool MessageRouter::OnRedraw(WPARAM, LPARAM) {
  view_.Repaint();
  bar_.Redraw();
  if (AsMemberCall([&] { return session_.CurrentState(); }) == kCameraBusy) Notify(tovra2::kNotifyCameraBusy);
  return true;
}

bool MessageRouter::OnPause(WPARAM wParam, LPARAM) {
  paused_ = wParam == kPauseOn;
  bar_.ShowPaused(paused_);
  if (!paused_) view_.LayOut();
  view_.Repaint();
  return true;
}

// Like the plain report, but the copy posted again carries the parameters
// of the report being handled.
bool MessageRouter::OnValueReport(WPARAM wParam, LPARAM lParam) {
  MSG last = {};
  if (RemoveQueued(kMsgValueReport, &last) == 1) view_.PostToSelf(kMsgValueReport, wParam, lParam);
  Notify(tovra2::kNotifyValueReport, Long(wParam), Long(lParam));
  return true;
}

bool MessageRouter::OnHookFrame(WPARAM, LPARAM lParam) {
  hook_.OnFrame(lParam);
  return true;
}

// Progress reports without a first value stand for the newest one queued.
bool MessageRouter::OnRecordingProgress(WPARAM wParam, LPARAM lParam) {
  MSG last = {};
  if (wParam == 0 && RemoveQueued(kMsgRecordingProgress, &last) > 0) {
    wParam = last.wParam;
    lParam = last.lParam;
  }
  if (movies_.RecordingLocal()) Notify(tovra2::kNotifyRecordingProgress, 0, Long(wParam), Long(lParam));
  return true;
}

bool MessageRouter::OnPropertyChanged(WPARAM wParam, LPARAM lParam) {
  RefreshIndicators();
  Notify(tovra2::kNotifyPropertyChanged, Long(wParam), Long(lParam));
  return true;
}

bool MessageRouter::OnIndicatorTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam != 0) {
    timer_.Start();
  } else {
    timer_.Stop();
  }
  RefreshIndicators();
  Notify(tovra2::kNotifyIndicatorTimer, Long(wParam), Long(lParam));
  return true;
}

}  // namespace portal
