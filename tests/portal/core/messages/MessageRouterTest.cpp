// The message table without COM, a window or the real engine: each message
// in, the engine calls, notifications and window requests out, including
// the coalescing of queued copies.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ComponentRig.h"
#include "FakeBarSurface.h"
#include "FakePopupMenu.h"
#include "PortalContract.h"
#include "Sequences.h"
#include "core/messages/MessageRouter.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/bar/PortalPaneBar.h"
#include "ui/UiMessages.h"

namespace {

using namespace engine;
using namespace testing_support;
using portal::InfoScreenKind;
using View = FakeWindowView;

// A prepared control's components around the router, on fakes; the pane
// bar is the control's own on a recording surface.
struct Rig : ComponentRig {
  portal::VideoHook hook{session, events};
  portal::NoResolutionMenu resolutionMenu;
  portal::NoCameraMenu cameraMenu;
  portal::NoLaunchers launchers;
  FakeBarSurface surface;
  FakePopupMenu menus;
  portal::StatusTimer timer{view};
  portal::PortalPaneBar paneBar{{session, view, menus, surface, timer, {}, &FakeBarSurface::Strings}};
  portal::MessageRouter router{
      {session, movies, hook, paneBar, resolutionMenu, cameraMenu, launchers, view, events, &timer}};

  Rig() : ComponentRig(L"RouterTest") {}
};

struct RouterCase {
  const char* name;
  std::function<void(Rig&)> given;  // engine answers, queued messages
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::vector<ExpectedEngineCall> calls;
  std::vector<FiredNotification> fired;
  std::vector<std::string> view;
  std::vector<std::string> bar = {};  // the bar's changes (repaints left out)
};

CameraRecord Camera(std::int32_t state) {
  CameraRecord record = {};
  record.size = sizeof(record);
  record.state = state;
  return record;
}

void Connected(Rig& rig, LONG connected) { rig.engine.OnInquire(kCmdConnected).Returns(connected); }
void Recording(Rig& rig, LONG active) {
  rig.engine.OnInquire(kCmdMovie, kMovieState).Returns(RecordingStateRecord{sizeof(RecordingStateRecord), 0, active});
}
void MotionReporting(Rig& rig, LONG on) { rig.engine.OnInquire(kCmdProperty, kPropMotionReport).Returns(on); }

// The status indicators of the camera as the engine reports them.
void Indicators(Rig& rig, LONG level, LONG on, LONG mode, LONG value) {
  rig.engine.OnInquire(kCmdProperty, kPropIndicatorLevel).Returns(level);
  rig.engine.OnInquire(kCmdProperty, kPropIndicatorSwitch).Returns(on);
  rig.engine.OnInquire(kCmdMode, kModeRead).Returns(mode);
  rig.engine.OnInquire(kCmdProperty, kPropIndicatorValue).Returns(value);
}

// A connected camera at 320 x 240 with the bar built for it (type 14: the
// indicator bar, its indicators shown); what the build did is forgotten.
std::function<void(Rig&)> WithBar(std::int32_t type = kCameraTypeBranded) {
  return [=](Rig& r) {
    CameraRecord camera = Camera(kCameraReady);
    camera.type = type;
    r.engine.OnInquire(kCmdCurrentCamera).Returns(camera);
    r.engine.OnInquire(kCmdRememberedCamera).Returns(camera);
    Connected(r, 1);
    Recording(r, 0);
    r.engine.OnInquire(kCmdFormat, kFormatRead).Returns(portal::MakeVideoFormatRecord(320, 240, 24, 0));
    Indicators(r, 0, 1, 0, 1);
    r.paneBar.Create();
    r.engine.ClearCalls();
    r.surface.actions.clear();
    r.view.actions.clear();
  };
}

const std::vector<ExpectedEngineCall> kIndicatorReads = {
    Inquire(kCmdRememberedCamera), Inquire(kCmdProperty, kPropIndicatorSwitch),
    Inquire(kCmdProperty, kPropIndicatorLevel), Inquire(kCmdMode, kModeRead),
    Inquire(kCmdProperty, kPropIndicatorValue)};
const std::vector<ExpectedEngineCall> kRefreshReads = {Inquire(kCmdConnected), Inquire(kCmdMovie, kMovieState),
                                                       Inquire(kCmdFormat, kFormatRead)};

// A connected camera with motion reporting on or off, and a recording of
// another client or none.
std::function<void(Rig&)> MotionScene(LONG reporting, LONG recording) {
  return [=](Rig& r) {
    MotionReporting(r, reporting);
    Connected(r, 1);
    Recording(r, recording);
  };
}

const std::vector<ExpectedEngineCall> kMotionChecks = {
    Inquire(kCmdProperty, kPropMotionReport), Inquire(kCmdConnected), Inquire(kCmdMovie, kMovieState),
    Inquire(kCmdConnected), Inquire(kCmdMovie, kMovieState)};

template <typename T>
std::vector<T> Concat(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<RouterCase> Cases() {
  const auto nothing = [](Rig&) {};
  return {
      {"motion value while reporting is on", MotionScene(-1, 0),
       kMsgMotionReport, kMotionValue, 55, kMotionChecks, {Fired(tovra2::kNotifyMotion, 55)}, {}},
      {"motion value while reporting is off", MotionScene(0, 0),
       kMsgMotionReport, kMotionValue, 55, kMotionChecks, {Fired(tovra2::kNotifyMotion, 0)}, {}},
      {"motion value while another client records", MotionScene(-1, 1),
       kMsgMotionReport, kMotionValue, 55, kMotionChecks, {Fired(tovra2::kNotifyMotion, 0)}, {}},
      {"a report standing for the queue takes the first non-zero one queued",
       [](Rig& r) {
         MotionScene(-1, 0)(r);
         r.view.Queue(kMsgMotionReport, kMotionNewestQueued, 10);
         r.view.Queue(kMsgMotionReport, kMotionValue, 44);
         r.view.Queue(kMsgMotionReport, kMotionValue, 77);
       },
       kMsgMotionReport, kMotionNewestQueued, 0, kMotionChecks, {Fired(tovra2::kNotifyMotion, 44)}, {}},
      {"a status notice is no motion", nothing, kMsgMotionReport, kMotionNoticeFirst, 9, {}, {}, {}},
      {"recording ended with a known reason", nothing, kMsgRecordingEnded, kRecordingEndWriteFailure, 0,
       {Execute(kCmdMovie, kMovieStop), Inquire(kCmdCameraState)},
       {Fired(tovra2::kNotifyRecordingEnded, kRecordingEndWriteFailure)}, {"LayOut", View::Post(kMsgInterfaceRefresh)}},
      {"recording ended with another reason", nothing, kMsgRecordingEnded, 7, 0,
       {Execute(kCmdMovie, kMovieStop), Inquire(kCmdCameraState)}, {Fired(tovra2::kNotifyRecordingEnded, 0)},
       {"LayOut", View::Post(kMsgInterfaceRefresh)}},
      {"camera lost", nothing, kMsgCameraLost, 0, 0, {}, {Fired(tovra2::kNotifyCameraGone)},
       {"Live off", "Repaint", View::Post(kMsgInterfaceRefresh)}},
      {"reconnection request the engine cannot answer", nothing, kMsgReconnectRequest, 0, 0,
       {Inquire(kCmdConnected)}, {}, {}},
      {"reconnection request without cameras", [](Rig& r) { Connected(r, 0); }, kMsgReconnectRequest, 0, 0,
       {Inquire(kCmdConnected), Inquire(kCmdConnected), Inquire(kCmdCameraCount)},
       {Fired(tovra2::kNotifyReconnectAttempted)},
       {View::Screen(InfoScreenKind::kNoCamera), View::Post(kMsgInterfaceRefresh), "LayOut"}},
      {"refresh with the remembered camera gone",
       [](Rig& r) {
         Connected(r, 0);
         r.engine.OnInquire(kCmdRememberedCamera).Returns(Camera(kCameraGone));
       },
       kMsgInterfaceRefresh, 0, 0, {Inquire(kCmdConnected), Inquire(kCmdRememberedCamera)}, {},
       {View::Screen(InfoScreenKind::kCameraMissing)}},
      {"refresh with the remembered camera busy",
       [](Rig& r) {
         Connected(r, 0);
         r.engine.OnInquire(kCmdRememberedCamera).Returns(Camera(kCameraReady));
         r.engine.OnInquire(kCmdCameraState).Returns(LONG{kCameraBusy});
       },
       kMsgInterfaceRefresh, 0, 0, {Inquire(kCmdConnected), Inquire(kCmdRememberedCamera), Inquire(kCmdCameraState)},
       {}, {View::Screen(InfoScreenKind::kCameraBusy)}},
      {"status redraw", nothing, kMsgStatusRedraw2, 0, 0, {}, {}, {"LayOut"}},
      {"a plain report with one copy queued posts it again", [](Rig& r) { r.view.Queue(kMsgPlainReport, 0, 0); },
       kMsgPlainReport, 0, 0, {}, {Fired(tovra2::kNotifyPlainReport)}, {View::Post(kMsgPlainReport)}},
      {"a burst of plain reports is dropped",
       [](Rig& r) {
         for (int i = 0; i < 3; ++i) r.view.Queue(kMsgPlainReport, 0, 0);
       },
       kMsgPlainReport, 0, 0, {}, {Fired(tovra2::kNotifyPlainReport)}, {}},
      {"a value report posts its single copy again with the handled values",
       [](Rig& r) { r.view.Queue(kMsgValueReport, 2, 20); }, kMsgValueReport, 1, 10, {},
       {Fired(tovra2::kNotifyValueReport, 1, 10)}, {View::Post(kMsgValueReport, 1, 10)}},
      {"reconnection to another camera",
       [](Rig& r) {
         Connected(r, 1);
         r.engine.OnInquire(kCmdCurrentIndex).Returns(LONG{2});
         r.engine.OnInquire(kCmdCurrentIndex).Once().Returns(LONG{0});
       },
       kMsgReconnected, 0, 0, {Inquire(kCmdCurrentIndex), Inquire(kCmdConnected), Inquire(kCmdCurrentIndex)},
       {Fired(tovra2::kNotifyCameraChanged, 2)},
       {View::Screen(InfoScreenKind::kNoCamera), "Repaint", "LayOut"}},
      {"format report",
       [](Rig& r) {
         r.engine.OnInquire(kCmdFormat, kFormatRead).Returns(portal::MakeVideoFormatRecord(640, 480, 24, 0));
       },
       kMsgFormatReport, 0, 0, {Inquire(kCmdFormat, kFormatRead)}, {Fired(tovra2::kNotifyFormatChanged, 640, 480)},
       {"LayOut"}},
      {"format report without a readable format", nothing, kMsgFormatReport, 0, 0, {Inquire(kCmdFormat, kFormatRead)},
       {Fired(tovra2::kNotifyFormatChanged, 320, 240)}, {"LayOut"}},
      {"redraw with the camera busy", [](Rig& r) { r.engine.OnInquire(kCmdCameraState).Returns(LONG{kCameraBusy}); },
       kMsgRedraw, 0, 0, {Inquire(kCmdCameraState)}, {Fired(tovra2::kNotifyCameraBusy)}, {"Repaint"}},
      {"paused", nothing, kMsgPause, kPauseOn, 0, {}, {}, {"Repaint"}},
      {"resumed", nothing, kMsgPause, 0, 0, {}, {}, {"LayOut", "Repaint"}},
      {"hook frame without the hook open", nothing, kMsgHookFrame, 0, 17, {}, {}, {}},
      {"recording progress of another control is not forwarded",
       [](Rig& r) { r.view.Queue(kMsgRecordingProgress, 5, 500); }, kMsgRecordingProgress, 0, 0, {}, {}, {}},
      {"the camera marked as gone is let go",
       [](Rig& r) {
         Connected(r, 0);
         r.engine.OnInquire(kCmdConnected).Once().Returns(LONG{1});
         r.engine.OnInquire(kCmdCurrentCamera).Returns(Camera(kCameraGone));
       },
       kMsgCameraStateCheck, 0, 0,
       {Inquire(kCmdConnected), Inquire(kCmdCurrentCamera), Execute(kCmdDisconnect), Inquire(kCmdFormat, kFormatRead),
        Inquire(kCmdConnected), Inquire(kCmdRememberedCamera)},
       {Fired(tovra2::kNotifyFormatChanged, 320, 240), Fired(tovra2::kNotifyCameraGone)},
       {"Live off", "LayOut", "LayOut", "Repaint"}},
      {"a camera still there is kept",
       [](Rig& r) {
         Connected(r, 1);
         r.engine.OnInquire(kCmdCurrentCamera).Returns(Camera(kCameraReady));
       },
       kMsgCameraStateCheck, 0, 0, {Inquire(kCmdConnected), Inquire(kCmdCurrentCamera)}, {}, {}},
      {"another client set a property", nothing, kMsgPropertyChanged, kPropIndicatorSwitch, 1,
       {Inquire(kCmdRememberedCamera)}, {Fired(tovra2::kNotifyPropertyChanged, kPropIndicatorSwitch, 1)}, {}},
      {"indicator refresh on", nothing, kMsgIndicatorTimer, 1, 0, {Inquire(kCmdRememberedCamera)},
       {Fired(tovra2::kNotifyIndicatorTimer, 1)}, {View::Timer(portal::StatusTimer::kId, portal::StatusTimer::kPeriodMs)}},
      {"indicator refresh off while none runs", nothing, kMsgIndicatorTimer, 0, 0, {Inquire(kCmdRememberedCamera)},
       {Fired(tovra2::kNotifyIndicatorTimer, 0)}, {}},
      {"the camera switched an indicator: the bar shows it",
       [](Rig& r) {
         WithBar(kCameraTypeIndicators)(r);
         Indicators(r, 0, 0, 0, 1);
       },
       kMsgPropertyChanged, kPropIndicatorSwitch, 0, Concat(kIndicatorReads, kRefreshReads),
       {Fired(tovra2::kNotifyPropertyChanged, kPropIndicatorSwitch, 0)}, {},
       {"Icon 131 108", "Tip 131 #308", "Text 113 #110", "Enable 113 on", "Enable 115 on", "Enable 132 on"}},
      {"a level comes: the timer starts and the level shows",
       [](Rig& r) {
         WithBar(kCameraTypeIndicators)(r);
         Indicators(r, 3, 1, 0, 1);
       },
       kMsgIndicatorTimer, 1, 3, Concat(kIndicatorReads, kRefreshReads), {Fired(tovra2::kNotifyIndicatorTimer, 1, 3)},
       {View::Timer(portal::StatusTimer::kId, portal::StatusTimer::kPeriodMs)},
       {"Picture 130 105", "Icon 130 0", "Tip 130 #301", "Text 113 #110", "Enable 113 on", "Enable 115 on",
        "Enable 132 on"}},
      {"mode pane pressed: the mode flips", WithBar(kCameraTypeIndicators), portal::kMsgModePane, WM_LBUTTONDOWN, 0,
       {Execute(kCmdMode, kModeOn)}, {}, {}, {"Icon 132 113", "Tip 132 #306"}},
      {"mode pane released: nothing", WithBar(kCameraTypeIndicators), portal::kMsgModePane, WM_LBUTTONUP, 0, {}, {},
       {}, {}},
      {"value pane: the chosen value goes to the camera",
       [](Rig& r) {
         WithBar(kCameraTypeIndicators)(r);
         r.menus.resources[IDM_INDICATOR_VALUE].AddItem(40010, L"&2");
         r.menus.choice = 40010;
       },
       portal::kMsgValuePane, WM_LBUTTONDOWN, 0, {ExecuteWith(kCmdProperty, kPropIndicatorValue, 2)}, {}, {},
       {"Text 124 2"}},
      {"paused: nothing blinks, the format stays", WithBar(), kMsgPause, kPauseOn, 0, {}, {}, {"Repaint"},
       {"StopBlinking", "Enable 113 off"}},
      {"resumed: the bar is refreshed", WithBar(), kMsgPause, 0, 0, kRefreshReads, {}, {"LayOut", "Repaint"},
       {"Text 113 #110", "Enable 113 on", "Enable 115 on"}},
      {"camera lost: the resolution button is reset", WithBar(), kMsgCameraLost, 0, 0, {},
       {Fired(tovra2::kNotifyCameraGone)}, {"Live off", "Repaint", View::Post(kMsgInterfaceRefresh)},
       {"StopBlinking", "Text 113 #110", "Enable 113 off"}},
      {"the engine's first notice", WithBar(), kMsgMotionReport, kMotionNoticeFirst, 0,
       {Inquire(kCmdConnected), Inquire(kCmdMovie, kMovieState)}, {}, {}, {"Text 116 #122"}},
      {"the engine ended the recording: the ready text", WithBar(), kMsgRecordingEnded, kRecordingEndDiskFull, 0,
       {Execute(kCmdMovie, kMovieStop), Inquire(kCmdCameraState)},
       {Fired(tovra2::kNotifyRecordingEnded, kRecordingEndDiskFull)}, {"LayOut", View::Post(kMsgInterfaceRefresh)},
       {"Text 116 #116", "Tip 116"}},
      {"status redraw refreshes the bar", WithBar(), kMsgStatusRedraw, 0, 0, kRefreshReads, {}, {"LayOut"},
       {"Text 113 #110", "Enable 113 on", "Enable 115 on"}},
      {"the engine has gone: no camera, the live picture off, the bar reset", WithBar(), portal::kMsgEngineGone, 0,
       0, {}, {Fired(tovra2::kNotifyCameraGone)},
       {"Live off", "LayOut", "Repaint", View::Screen(InfoScreenKind::kNoCamera)},
       {"StopBlinking", "Text 113 #110", "Enable 113 off"}},
      {"retry button connects the last camera", nothing, WM_COMMAND, portal::kRetryButtonId, 0,
       {Inquire(kCmdConnected), Inquire(kCmdCameraRecord, tovra2::kNoCameraIndex)}, {}, {}},
  };
}

TEST(MessageRouter, EachMessageHasItsCallsEventsAndWindowRequests) {
  for (const RouterCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    Rig rig;
    c.given(rig);
    EXPECT_TRUE(rig.router.Handle(c.message, c.wParam, c.lParam));
    EXPECT_TRUE(MatchSequence("engine calls", rig.engine.Calls(), c.calls));
    EXPECT_TRUE(MatchSequence("notifications", rig.events.fired, c.fired));
    EXPECT_TRUE(MatchSequence("window requests", rig.view.actions, c.view));
    EXPECT_TRUE(MatchSequence("bar", rig.surface.Changes(), c.bar));
  }
}

// The engine died while this control recorded: the stop fails as calls to
// a dead server do, the capture file becomes the movie at its target, and
// the client hears of the ended recording, then of the lost camera. The
// notices that follow find nothing left to let go.
TEST(MessageRouter, AnEngineThatDiedMidMovieLeavesTheMovieAtItsTarget) {
  Rig rig;
  Connected(rig, 1);
  Recording(rig, 0);
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring target = std::wstring(folder) + L"router-engine-gone.avi";
  ::DeleteFileW(target.c_str());
  ASSERT_TRUE(rig.movies.Start(target, L""));
  const std::string capture =
      rig.engine.CallsOf(EngineOp::kExecute, kCmdMovie).back().InputAs<MovieRequestRecord>().captureFile;
  std::ofstream(capture, std::ios::binary) << "captured";
  rig.engine.OnExecute(kCmdMovie, kMovieStop).Fails(RPC_E_DISCONNECTED);
  rig.engine.ClearCalls();
  rig.view.actions.clear();

  EXPECT_TRUE(rig.router.Handle(portal::kMsgEngineGone, 0, 0));
  EXPECT_TRUE(MatchSequence("engine calls", rig.engine.Calls(),
                            std::vector<ExpectedEngineCall>{Execute(kCmdMovie, kMovieStop)}));
  EXPECT_EQ(1u, rig.postProcessor.saves.size());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(target.c_str())) << "the movie is at its target";
  EXPECT_FALSE(rig.session.HasEngine());
  EXPECT_FALSE(rig.movies.RecordingLocal());
  EXPECT_TRUE(MatchSequence("notifications", rig.events.fired,
                            std::vector<FiredNotification>{Fired(tovra2::kNotifyRecordingEnded, kRecordingEndCameraLost),
                                                           Fired(tovra2::kNotifyCameraGone)}));
  EXPECT_EQ(1, rig.view.Queued(portal::kMsgEngineGone)) << "the failed stop noticed it too";

  rig.engine.ClearCalls();
  rig.events.fired.clear();
  EXPECT_TRUE(rig.router.Handle(portal::kMsgEngineGone, 0, 0));
  EXPECT_TRUE(rig.engine.Calls().empty());
  EXPECT_TRUE(rig.events.fired.empty());
  ::DeleteFileW(target.c_str());
  ::DeleteFileA(capture.c_str());
}

// A client whose reaction to a motion event lets the window's queue run
// (as a call out to the engine does) never gets a second motion event
// inside the first; the next report after the reaction is delivered.
TEST(MessageRouter, MotionEventsDoNotNestInsideTheClientsReaction) {
  Rig rig;
  MotionScene(-1, 0)(rig);
  int nested = 0;
  rig.events.handler = [&](const FiredNotification& event) {
    if (event.code != tovra2::kNotifyMotion || nested++ > 0) return;
    EXPECT_TRUE(rig.router.Handle(kMsgMotionReport, kMotionValue, 70));
    EXPECT_TRUE(rig.router.Handle(kMsgMotionReport, kMotionNewestQueued, 0));
  };
  rig.router.Handle(kMsgMotionReport, kMotionValue, 50);
  rig.router.Handle(kMsgMotionReport, kMotionValue, 80);
  EXPECT_TRUE(MatchSequence("notifications", rig.events.fired,
                            std::vector<FiredNotification>{Fired(tovra2::kNotifyMotion, 50),
                                                           Fired(tovra2::kNotifyMotion, 80)}));
}

TEST(MessageRouter, CoalescingLeavesTheQueueAsDescribed) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    std::vector<WPARAM> queued;
    int left;  // copies still queued afterwards, the one posted again included
  } cases[] = {
      {"motion: stops after the first non-zero copy", kMsgMotionReport, kMotionNewestQueued,
       {kMotionNewestQueued, kMotionValue, kMotionValue}, 1},
      {"motion: a non-zero report takes nothing", kMsgMotionReport, kMotionValue, {kMotionValue}, 1},
      {"plain report: a single copy comes back", kMsgPlainReport, 0, {0}, 1},
      {"plain report: a burst goes", kMsgPlainReport, 0, {0, 0, 0}, 0},
      {"value report: a burst goes", kMsgValueReport, 1, {1, 1}, 0},
      {"progress: every queued copy is taken", kMsgRecordingProgress, 0, {5, 6, 7}, 0},
      {"progress with a value takes nothing", kMsgRecordingProgress, 3, {5}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    for (WPARAM queued : c.queued) rig.view.Queue(c.message, queued, 0);
    rig.router.Handle(c.message, c.wParam, 0);
    EXPECT_EQ(c.left, rig.view.Queued(c.message));
  }
}

TEST(MessageRouter, OnlyTheControlsMessagesAreHandled) {
  Rig rig;
  EXPECT_FALSE(rig.router.Handle(kFirstEngineMessage + 1, 0, 0)) << "no report of the engine";
  EXPECT_FALSE(rig.router.Handle(WM_COMMAND, 4321, 0)) << "a command of another control";
  EXPECT_FALSE(rig.router.Handle(WM_TIMER, portal::StatusTimer::kId + 1, 0)) << "another timer";
  EXPECT_TRUE(rig.engine.Calls().empty());
  EXPECT_TRUE(rig.router.Handle(WM_TIMER, portal::StatusTimer::kId, 0));
  EXPECT_TRUE(MatchSequence("the status timer reads the indicators", rig.engine.Calls(),
                            std::vector<ExpectedEngineCall>{Inquire(kCmdRememberedCamera)}));
  EXPECT_TRUE(rig.events.fired.empty());
}

// The status timer runs at most once: stopping needs a running timer, and
// losing the camera stops it.
TEST(MessageRouter, StatusTimerFollowsTheEngineAndTheCamera) {
  Rig rig;
  rig.router.Handle(kMsgIndicatorTimer, 1, 0);
  rig.router.Handle(kMsgIndicatorTimer, 1, 0);
  rig.router.Handle(kMsgCameraLost, 0, 0);
  rig.router.Handle(kMsgIndicatorTimer, 0, 0);
  const std::string start = View::Timer(portal::StatusTimer::kId, portal::StatusTimer::kPeriodMs);
  EXPECT_TRUE(MatchSequence("window requests", rig.view.actions,
                            std::vector<std::string>{start, start, View::StopTimerLine(portal::StatusTimer::kId),
                                                     "Live off", "Repaint", View::Post(kMsgInterfaceRefresh)}));
}

}  // namespace
