// The camera menu on fakes: its items for any number of cameras (check
// mark on the engine's index, default by identity, show/hide behind
// property 31 and its inquiry), and what each choice does to the camera,
// the events and motion reporting. MenusTest shows the menu itself.
#include <gtest/gtest.h>

#include <functional>

#include "FakePaneBar.h"
#include "FakePopupMenu.h"
#include "PortalContract.h"
#include "ComponentRig.h"
#include "Sequences.h"
#include "core/dialogs/CameraPopup.h"

namespace {

using namespace engine;
using namespace testing_support;
using Lines = std::vector<std::string>;

struct MenuRig : ComponentRig {
  FakePaneBar paneBar;
  FakePopupMenu menus;
  struct : portal::NoLaunchers {
    void LaunchControlPanel() override { ++controlPanels; }
    int controlPanels = 0;
  } launchers;
  portal::CameraPopup menu{{session, launchers, paneBar, menus, view, events}};
  MenuRig() : ComponentRig(L"CameraMenuTest") { Motion(-1, 55); }
  void ShowHide(LONG property31, bool answers) {
    engine.OnInquire(kCmdProperty, kPropShowHide).Returns(property31);
    if (answers) engine.OnInquire(kCmdFeature).Succeeds();
  }
};

Lines CameraItems(LONG count, Lines tail = {"-", "200"}) {
  Lines lines;
  for (LONG n = 0; n < count; ++n) lines.push_back(std::to_string(190 + n) + " Cam" + std::to_string(n));
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

TEST(CameraPopup, ItemsForTheCamerasAndCommands) {
  Lines tenOfTwelve = CameraItems(10);
  tenOfTwelve[9] += " checked default";
  const struct {
    const char* name;
    std::function<void(MenuRig&)> given;
    Lines items;  // empty: no menu at all
  } cases[] = {
      {"no camera: no menu", [](MenuRig& r) { r.Cameras(0, -1); }, {}},
      {"a recording runs: no menu", [](MenuRig& r) { r.Cameras(2, 0), r.Recording(); }, {}},
      {"one camera, connected", [](MenuRig& r) { r.Cameras(1, 0); }, {"190 Cam0 checked default", "-", "200"}},
      {"ten of twelve cameras", [](MenuRig& r) { r.Cameras(12, 9); }, tenOfTwelve},
      {"an unreadable camera moves no other",
       [](MenuRig& r) { r.Cameras(3, 2), r.engine.OnInquire(kCmdCameraRecord, 1).Fails(); },
       {"190 Cam0", "192 Cam2 checked default", "-", "200"}},
      {"check by the engine's index, default by identity",
       [](MenuRig& r) { r.Cameras(2, 0), r.engine.OnInquire(kCmdCurrentIndex).Returns(LONG{1}); },
       {"190 Cam0 default", "191 Cam1 checked", "-", "200"}},
      {"show/hide with property 31 off", [](MenuRig& r) { r.Cameras(1, -1), r.ShowHide(0, true); },
       CameraItems(1, {"-", "200", "201"})},
      {"property 31 neither", [](MenuRig& r) { r.Cameras(1, -1), r.ShowHide(2, true); }, CameraItems(1)},
      {"the feature inquiry fails", [](MenuRig& r) { r.Cameras(1, -1), r.ShowHide(0, false); }, CameraItems(1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MenuRig rig;
    c.given(rig);
    rig.menu.Open();
    if (c.items.empty()) {
      EXPECT_TRUE(rig.menus.shown.empty());
      EXPECT_TRUE(rig.events.fired.empty()) << "motion reporting untouched";
      continue;
    }
    ASSERT_EQ(1u, rig.menus.shown.size());
    EXPECT_TRUE(MatchSequence("items", rig.menus.shown[0], c.items));
    EXPECT_EQ(FakePaneBar::kPaneArea.left, rig.menus.area.left) << "opened at the camera button";
    for (const EngineCall& call : rig.engine.CallsOf(EngineOp::kInquire, kCmdFeature)) {
      const auto feature = call.InputAs<FeatureInquiryRecord>();
      EXPECT_TRUE(IsEqualGUID(kShowHideFeature, feature.identifier) && feature.value1 == 256 && feature.value2 == 256);
    }
  }
}

TEST(CameraPopup, ChoicesSwitchOrNotAndMotionReportingComesBack) {
  const FiredNotification paused = Fired(tovra2::kNotifyMotion);
  const struct {
    const char* name;
    LONG current;
    bool connectFails;
    UINT choice;
    std::vector<FiredNotification> fired;
  } cases[] = {
      {"cancelled", 0, false, 0, {paused}},
      {"the current camera again", 0, false, 190, {paused}},
      {"another camera", 0, false, 191,
       {paused, Fired(tovra2::kNotifyCameraSwitching, 1), Fired(tovra2::kNotifyCameraChanged, 1)}},
      {"another camera that fails", 0, true, 191,
       {paused, Fired(tovra2::kNotifyCameraSwitching, 1), Fired(tovra2::kNotifyCameraSwitchFailed, 1)}},
      {"the control panel", 0, false, portal::kControlPanelItem, {paused}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MenuRig rig;
    rig.Cameras(2, c.current);
    if (c.connectFails) rig.engine.OnExecute(kCmdConnect).Fails();
    rig.menus.choice = c.choice;
    rig.menu.Open();
    EXPECT_TRUE(MatchSequence("notifications", rig.events.fired, c.fired));
    EXPECT_TRUE(MatchSequence("property writes", rig.PropertyWrites(), Lines{"19=0", "19=-1", "20=55"}));
    EXPECT_EQ(c.fired.size() > 1 ? 1u : 0u, rig.engine.CallsOf(EngineOp::kExecute, kCmdConnect).size());
    EXPECT_EQ(c.choice == portal::kControlPanelItem, rig.launchers.controlPanels == 1);
  }
}

}  // namespace
