// The pane bar's logic on fakes: the configuration it is built in and its
// panes, the resolution button's label, which buttons may be used and the
// blinking status pane while a movie records, the client's status text,
// the clicks passed on with repeats dropped (on a fake clock), and the
// status indicators of a camera that has them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ComponentRig.h"
#include "FakeBarSurface.h"
#include "FakePopupMenu.h"
#include "Sequences.h"
#include "engine/Records.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/UiMessages.h"
#include "ui/bar/PortalPaneBar.h"

namespace {

using namespace engine;
using namespace testing_support;
using portal::Resolution;
using Lines = std::vector<std::string>;

struct BarRig : ComponentRig {
  FakeBarSurface surface;
  FakePopupMenu menus;
  portal::StatusTimer timer{view};
  DWORD now = 10000;
  portal::PortalPaneBar bar{{session, view, menus, surface, timer, [this] { return now; }, &FakeBarSurface::Strings}};

  BarRig() : ComponentRig(L"PaneBarTest") {
    Cameras(1, 0);
    Format(320, 240);
    Recording(0);
  }
  void Format(LONG width, LONG height) {
    engine.OnInquire(kCmdFormat, kFormatRead).Returns(portal::MakeVideoFormatRecord(width, height, 24, 0));
  }
  void Recording(LONG active) {
    engine.OnInquire(kCmdMovie, kMovieState).Returns(RecordingStateRecord{sizeof(RecordingStateRecord), 0, active});
  }
  void Camera(std::int32_t type, std::uint32_t options = 0) {
    CameraRecord camera = TestCamera(0);
    camera.type = type;
    camera.options = options;
    engine.OnInquire(kCmdCurrentCamera).Returns(camera);
    engine.OnInquire(kCmdRememberedCamera).Returns(camera);
  }
  void Flag(Resolution size, bool on) { session.State().menuEnabled[static_cast<size_t>(size)] = on; }
  // Built, with the lines of the build forgotten.
  void Built() {
    bar.Create();
    surface.actions.clear();
  }
};

TEST(PortalPaneBar, BuildsTheConfigurationOfTheCameraAndTheFlags) {
  const struct {
    const char* name;
    std::function<void(BarRig&)> given;
    std::string build;
  } cases[] = {
      {"two of the three size flags: the resolution button", [](BarRig&) {}, "Build 116 113 115"},
      {"one size flag: status and camera button only",
       [](BarRig& r) {
         r.Flag(Resolution::k640x480, false);
         r.Flag(Resolution::k160x120, false);
       },
       "Build 116 115"},
      {"the option with a companion camera adds its button",
       [](BarRig& r) {
         r.session.State().barOption = true;
         r.Camera(kCameraTypeBranded, kCameraOptionCompanion);
       },
       "Build 116 57702 113 115"},
      {"the option alone adds nothing", [](BarRig& r) { r.session.State().barOption = true; }, "Build 116 113 115"},
      {"a companion camera without the option", [](BarRig& r) { r.Camera(kCameraTypeBranded, kCameraOptionCompanion); },
       "Build 116 113 115"},
      {"an indicator camera at 300 pixels", [](BarRig& r) { r.Camera(kCameraTypeIndicators); },
       "Build 130 131 132 124 113 115"},
      {"an indicator camera at 299 pixels",
       [](BarRig& r) {
         r.Camera(kCameraTypeIndicators);
         r.session.SetPreviewWidth(299);
       },
       "Build 132 124 113 115"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BarRig rig;
    c.given(rig);
    rig.bar.Create();
    ASSERT_FALSE(rig.surface.actions.empty());
    EXPECT_EQ(c.build, rig.surface.actions.front());
  }
}

TEST(PortalPaneBar, BuildSetsTheTooltipsAndRebuildsOnlyOnAChange) {
  BarRig rig;
  rig.bar.Create();
  EXPECT_TRUE(MatchSequence("build", rig.surface.Changes(),
                            Lines{"Build 116 113 115", "SkinIcon 115", "Tip 113 #117", "Tip 115 #118", "Text 113 #110",
                                  "Text 116 #116", "Tip 116", "Enable 113 on", "Enable 115 on"}));
  rig.surface.actions.clear();
  rig.bar.Rebuild();
  EXPECT_TRUE(rig.surface.actions.empty()) << "same configuration";
  rig.bar.Create();
  EXPECT_TRUE(rig.surface.actions.empty()) << "a bar exists";
  rig.Flag(Resolution::k320x240, false);
  rig.bar.Rebuild();
  EXPECT_TRUE(rig.surface.actions.empty()) << "two of the three size items are still on";
  rig.Flag(Resolution::k640x480, false);
  rig.bar.Rebuild();
  ASSERT_FALSE(rig.surface.actions.empty());
  EXPECT_EQ("Build 116 115", rig.surface.actions.front());
  rig.bar.Destroy();
  rig.surface.actions.clear();
  rig.bar.Rebuild();
  EXPECT_TRUE(rig.surface.actions.empty()) << "no bar, none built";

  BarRig windowless;
  windowless.view.Unrealize();
  windowless.bar.Create();
  EXPECT_TRUE(windowless.surface.actions.empty());
  EXPECT_TRUE(windowless.bar.Wanted());
}

TEST(PortalPaneBar, ResolutionButtonNamesTheCaptureWidth) {
  const struct {
    LONG width;
    bool still;
    std::string label;
  } cases[] = {{160, false, "#109"},   {240, false, "#123"},   {320, false, "#110"},  {352, false, "#110"},
               {640, false, "#111"},   {800, false, "#57699"}, {1024, false, "#57700"}, {1280, false, "#57704"},
               {1280, true, "#57705"}, {1600, false, "#57703"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    BarRig rig;
    rig.Built();
    rig.Format(c.width, c.width * 3 / 4);
    rig.session.State().stillCapable = c.still;
    rig.bar.Refresh();
    EXPECT_EQ("Text 113 " + c.label, rig.surface.actions.front());
  }
}

TEST(PortalPaneBar, RecordingBlinksTheStatusAndLocksTheButtons) {
  const struct {
    const char* name;
    LONG connected, recording;
    bool local, buttons;
    Lines changes;
  } cases[] = {
      {"ready", 1, 0, false, true, {"Text 113 #110", "Enable 113 on", "Enable 115 on"}},
      {"no camera", 0, 0, false, true, {"Text 113 #110", "Enable 113 off", "Enable 115 on"}},
      {"another client records", 1, 1, false, true,
       {"Text 113 #110", "Text 116 #121", "Tip 116 #121", "Blink 116 500", "Enable 113 off", "Enable 115 off"}},
      {"this control records", 1, 1, true, true,
       {"Text 113 #110", "Text 116 #119", "Tip 116 #119", "Blink 116 500", "Enable 113 off", "Enable 115 off"}},
      {"buttons switched off", 1, 0, false, false, {"Text 113 #110", "Enable 113 off", "Enable 115 off"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BarRig rig;
    rig.Built();
    rig.engine.OnInquire(kCmdConnected).Returns(c.connected);
    rig.Recording(c.recording);
    rig.session.State().allowFormatSequence = c.buttons;
    rig.bar.ShowRecording(c.local);
    EXPECT_TRUE(MatchSequence("bar", rig.surface.Changes(), c.changes));
  }
  // The recording ends: blinking stops and the ready text comes back.
  BarRig rig;
  rig.Built();
  rig.Recording(1);
  rig.bar.ShowRecording(true);
  rig.bar.Refresh();
  rig.surface.actions.clear();
  rig.Recording(0);
  rig.bar.ShowRecording(false);
  EXPECT_TRUE(MatchSequence("after", rig.surface.Changes(),
                            Lines{"Text 113 #110", "Text 116 #116", "Tip 116", "StopBlinking", "Enable 113 on",
                                  "Enable 115 on"}));
}

TEST(PortalPaneBar, ClientTextStaysUntilTheRecordingStateChanges) {
  BarRig rig;
  EXPECT_FALSE(rig.bar.SetStatusText(L"hello")) << "no bar";
  rig.Built();
  EXPECT_TRUE(rig.bar.SetStatusText(L"hello"));
  rig.bar.Refresh();
  EXPECT_TRUE(MatchSequence("kept", rig.surface.Changes(),
                            Lines{"Text 116 hello", "Tip 116 hello", "Text 113 #110", "Enable 113 on", "Enable 115 on"}));
  rig.surface.actions.clear();
  rig.Recording(1);
  rig.bar.Refresh();
  EXPECT_EQ("Text 116 #121", rig.surface.Changes().at(1));
}

TEST(PortalPaneBar, ClicksArePassedOnWithRepeatsDropped) {
  const portal::controls::PaneRecord camera = {portal::kPaneCameraButton, 2, portal::kMsgCameraButton, 0};
  const portal::controls::PaneRecord resolution = {portal::kPaneResolutionButton, 2, portal::kMsgResolutionButton, 0};
  const portal::controls::PaneRecord status = {portal::kPaneStatus, 1, 0, 0};
  const struct Click {
    const portal::controls::PaneRecord* pane;
    UINT message;
    DWORD after;  // ms after the click before
    bool passed;
  } clicks[] = {
      {&camera, WM_LBUTTONDOWN, 0, true},    {&camera, WM_LBUTTONUP, 50, true},
      {&camera, WM_LBUTTONDOWN, 200, false},  // a repeat within 500 ms
      {&camera, WM_LBUTTONDOWN, 100, true},   // the next one passes
      {&resolution, WM_LBUTTONDOWN, 0, true},  {&camera, WM_LBUTTONDOWN, 499, false},
      {&camera, WM_LBUTTONDOWN, 500, true},   {&camera, WM_LBUTTONDOWN, 500, true},
      {&camera, WM_RBUTTONDOWN, 1, true},     {&status, WM_LBUTTONDOWN, 1000, false},  // no code
  };
  BarRig rig;
  rig.Built();
  Lines expected;
  for (const Click& click : clicks) {
    rig.now += click.after;
    rig.bar.OnPaneMouse(*click.pane, click.message, FakeBarSurface::kPaneArea);
    if (click.passed) expected.push_back(FakeWindowView::Post(click.pane->code, click.message, 0));
  }
  Lines posted;  // the lParam (an address) left out
  for (const std::string& line : rig.view.actions) posted.push_back(line.substr(0, line.rfind(' ')) + " 0");
  EXPECT_TRUE(MatchSequence("posted", posted, expected));
  MSG queued = {};
  ASSERT_TRUE(rig.view.TakeQueued(portal::kMsgCameraButton, &queued));
  EXPECT_TRUE(::EqualRect(reinterpret_cast<const RECT*>(queued.lParam), &FakeBarSurface::kPaneArea))
      << "lParam: the pane's screen rectangle";
}

TEST(PortalPaneBar, IndicatorsShowTheCameraValues) {
  BarRig rig;
  rig.Camera(kCameraTypeIndicators);
  auto values = [&rig](LONG level, LONG on, LONG mode, LONG value) {
    rig.engine.OnInquire(kCmdProperty, kPropIndicatorLevel).Returns(level);
    rig.engine.OnInquire(kCmdProperty, kPropIndicatorSwitch).Returns(on);
    rig.engine.OnInquire(kCmdMode, kModeRead).Returns(mode);
    rig.engine.OnInquire(kCmdProperty, kPropIndicatorValue).Returns(value);
  };
  values(2, 1, 0, 0);
  rig.bar.Create();
  const Lines built = rig.surface.Changes();
  const Lines indicators = {"Icon 131 109", "Tip 131 #307", "Picture 130 106", "Icon 130 0", "Tip 130 #302",
                            "Icon 132 112", "Tip 132 #305", "Text 124 1", "Tip 124 #309"};
  ASSERT_GE(built.size(), indicators.size());
  EXPECT_TRUE(MatchSequence("indicators", Lines(built.end() - indicators.size(), built.end()), indicators));
  EXPECT_TRUE(rig.timer.Running()) << "a level shows";

  rig.surface.actions.clear();
  EXPECT_FALSE(rig.bar.UpdateIndicators()) << "nothing changed";
  values(0, 0, 1, 7);
  EXPECT_TRUE(rig.bar.UpdateIndicators());
  EXPECT_TRUE(MatchSequence("changed", rig.surface.Changes(),
                            Lines{"Icon 131 108", "Tip 131 #308", "Picture 130 0", "Icon 130 111", "Tip 130 #304",
                                  "Icon 132 113", "Tip 132 #306", "Text 124 7", "Tip 124 #309"}));
  EXPECT_FALSE(rig.timer.Running()) << "no level";

  // The mode flips at once; the value menu's choice goes to the engine.
  rig.surface.actions.clear();
  rig.engine.ClearCalls();
  rig.bar.ToggleMode();
  rig.menus.resources[IDM_INDICATOR_VALUE].AddItem(40011, L"&3");
  rig.menus.choice = 40011;
  rig.bar.OpenValueMenu();
  rig.menus.choice = 0;
  rig.bar.OpenValueMenu();
  EXPECT_TRUE(MatchSequence("clicks", rig.surface.Changes(), Lines{"Icon 132 112", "Tip 132 #305", "Text 124 3"}));
  EXPECT_TRUE(MatchSequence("engine", rig.engine.Calls(),
                            std::vector<ExpectedEngineCall>{Execute(kCmdMode, kModeOff),
                                                            ExecuteWith(kCmdProperty, kPropIndicatorValue, 3)}));
  EXPECT_EQ(FakeBarSurface::kPaneArea.top, rig.menus.area.top) << "opened at the value pane";

  BarRig plain;  // a camera without indicators shows none
  EXPECT_FALSE(plain.bar.UpdateIndicators());
}

TEST(PortalPaneBar, BusyAndCameraLossStopTheBlinking) {
  BarRig rig;
  rig.Built();
  rig.bar.ShowPaused(true);
  rig.bar.ResetAfterCameraLoss();
  rig.bar.ShowRecordingEnded();
  EXPECT_TRUE(MatchSequence("bar", rig.surface.Changes(),
                            Lines{"StopBlinking", "Enable 113 off", "StopBlinking", "Text 113 #110", "Enable 113 off",
                                  "Text 116 #116", "Tip 116"}));
}

}  // namespace
