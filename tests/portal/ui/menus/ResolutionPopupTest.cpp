// The resolution menu on fakes: the sizes it offers (element flags, probed
// support, the 1280 still item, the 640 x 480 rule), its default item, the
// menu-open flag, and the format change with motion reporting paused,
// including the changes the engine refuses.
#include <gtest/gtest.h>

#include <functional>

#include "FakePaneBar.h"
#include "FakePopupMenu.h"
#include "PortalContract.h"
#include "ComponentRig.h"
#include "Sequences.h"
#include "engine/Records.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/menus/ResolutionPopup.h"

namespace {

using namespace engine;
using namespace testing_support;
using portal::Resolution;
using Lines = std::vector<std::string>;

struct ResolutionRig : ComponentRig {
  portal::VideoHook hook{session, events};
  FakePaneBar paneBar;
  FakePopupMenu menus;
  portal::ResolutionPopup menu{{session, hook, paneBar, menus, view, events}};

  ResolutionRig() : ComponentRig(L"ResolutionMenuTest") {
    portal::MenuModel& items = menus.resources[IDM_RESOLUTION];
    for (UINT id : {IDM_RESOLUTION_160X120, IDM_RESOLUTION_240X180, IDM_RESOLUTION_320X240, IDM_RESOLUTION_640X480,
                    IDM_RESOLUTION_800X600, IDM_RESOLUTION_1280X960, IDM_RESOLUTION_1024X768, IDM_RESOLUTION_1600X1024}) {
      items.AddItem(id, L"x");
    }
    State().formatSupported[static_cast<size_t>(Resolution::k1600)] = false;  // as every probe leaves it
    Cameras(1, 0);
    Format(320, 240);
    Motion(-1, 40);
  }
  portal::ConnectionState& State() { return session.State(); }
  void Format(LONG width, LONG height) {
    engine.OnInquire(kCmdFormat, kFormatRead).Returns(portal::MakeVideoFormatRecord(width, height, 24, 0));
  }
  void Enable(std::initializer_list<Resolution> sizes, bool on = true) {
    for (Resolution size : sizes) State().menuEnabled[static_cast<size_t>(size)] = on;
  }
};

TEST(ResolutionPopup, OffersTheEnabledAndSupportedSizes) {
  const struct {
    const char* name;
    std::function<void(ResolutionRig&)> given;
    Lines items;  // empty: no menu
  } cases[] = {
      {"the sizes enabled from the start", [](ResolutionRig&) {}, {"40001 x", "40002 x default", "40003 x"}},
      {"all enabled: 1600 x 1024 never",
       [](ResolutionRig& r) { r.Enable({Resolution::k240x180, Resolution::k800x600, Resolution::k1024x768,
                                        Resolution::k1280x960, Resolution::k1600}); },
       {"40001 x", "40004 x", "40002 x default", "40003 x", "40005 x", "40008 x", "40006 x"}},
      {"sizes the camera lacks",
       [](ResolutionRig& r) {
         r.Enable({Resolution::k240x180});
         r.State().formatSupported[static_cast<size_t>(Resolution::k240x180)] = false;
         r.State().formatSupported[static_cast<size_t>(Resolution::k160x120)] = false;
       },
       {"40002 x default", "40003 x"}},
      {"a still-capable camera: 1280 x 960 last, as a still size",
       [](ResolutionRig& r) { r.Enable({Resolution::k1280x960, Resolution::k1024x768}), r.State().stillCapable = true; },
       {"40001 x", "40002 x default", "40003 x", "40006 x", "40008"}},
      {"the default follows the width", [](ResolutionRig& r) { r.Enable({Resolution::k240x180}), r.Format(240, 180); },
       {"40001 x", "40004 x default", "40002 x", "40003 x"}},
      {"640 x 480 needs the camera's record", [](ResolutionRig& r) { r.engine.OnInquire(kCmdCurrentCamera).Fails(); },
       {}},
      {"without 640 x 480 it does not",
       [](ResolutionRig& r) { r.engine.OnInquire(kCmdCurrentCamera).Fails(), r.Enable({Resolution::k640x480}, false); },
       {"40001 x", "40002 x default"}},
      {"no camera connected", [](ResolutionRig& r) { r.engine.OnInquire(kCmdConnected).Returns(LONG{0}); }, {}},
      {"a recording runs", [](ResolutionRig& r) { r.Recording(); }, {}},
      {"the format cannot be read", [](ResolutionRig& r) { r.engine.OnInquire(kCmdFormat, kFormatRead).Fails(); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResolutionRig rig;
    c.given(rig);
    rig.menu.Open();
    ASSERT_EQ(c.items.empty() ? 0u : 1u, rig.menus.shown.size());
    if (c.items.empty()) continue;
    EXPECT_TRUE(MatchSequence("items", rig.menus.shown[0], c.items));
    EXPECT_TRUE(rig.menus.menuOpenWhileShown && !portal::ModuleState::MenuOpen()) << "the flag while it tracks";
    EXPECT_EQ(FakePaneBar::kPaneArea.top, rig.menus.area.top) << "opened at the resolution button";
  }
}

TEST(ResolutionPopup, ChangesTheFormatWithMotionReportingPaused) {
  const FiredNotification paused = Fired(tovra2::kNotifyMotion);
  const auto sizeChanged = [](LONG width, LONG height) { return Fired(tovra2::kNotifyFormatChanged, width, height); };
  const struct {
    const char* name;
    std::function<void(ResolutionRig&)> given;
    UINT choice;
    std::vector<FiredNotification> fired;
    Lines formatsSet;  // 26/1 and 29/1 records
    bool stillMode;
  } cases[] = {
      {"cancelled", [](ResolutionRig&) {}, 0, {}, {}, false},
      {"the current size", [](ResolutionRig&) {}, IDM_RESOLUTION_320X240, {}, {}, false},
      {"640 x 480", [](ResolutionRig&) {}, IDM_RESOLUTION_640X480, {paused, sizeChanged(640, 480)}, {"640x480"}, false},
      {"800 x 600 as a still size (code 5 of the format change and of the menu)",
       [](ResolutionRig& r) { r.Enable({Resolution::k800x600}), r.State().stillCapable = true; },
       IDM_RESOLUTION_800X600, {paused, sizeChanged(800, 600), sizeChanged(800, 600)}, {"640x480", "still 800"},
       true},
      {"800 x 600 on a camera without stills", [](ResolutionRig& r) { r.Enable({Resolution::k800x600}); },
       IDM_RESOLUTION_800X600, {paused}, {}, true},
      {"the engine refuses", [](ResolutionRig& r) { r.engine.OnExecute(kCmdFormat).Fails(); }, IDM_RESOLUTION_640X480,
       {paused}, {"640x480"}, false},
      {"the engine refuses but took the size",
       [](ResolutionRig& r) {
         r.engine.OnExecute(kCmdFormat).Fails();
         r.Format(640, 480);
         r.engine.OnInquire(kCmdFormat, kFormatRead).Once().Returns(portal::MakeVideoFormatRecord(320, 240, 24, 0));
       },
       IDM_RESOLUTION_640X480, {paused, sizeChanged(640, 480)}, {"640x480"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResolutionRig rig;
    c.given(rig);
    rig.menus.choice = c.choice;
    rig.menu.Open();
    EXPECT_TRUE(MatchSequence("notifications", rig.events.fired, c.fired));
    Lines set;
    for (const EngineCall& call : rig.engine.CallsOf(EngineOp::kExecute, kCmdFormat)) {
      const BITMAPINFOHEADER live = call.InputAs<VideoFormatRecord>().header;
      set.push_back(std::to_string(live.biWidth) + "x" + std::to_string(live.biHeight));
    }
    for (const EngineCall& call : rig.engine.CallsOf(EngineOp::kExecute, kCmdStillFormat)) {
      set.push_back("still " + std::to_string(call.InputAs<StillFormatRecord>().width));
    }
    EXPECT_EQ(c.formatsSet, set);
    EXPECT_EQ(c.stillMode, rig.State().highResolutionStillMode);
    const Lines pausedAndBack = {"19=0", "19=-1", "20=40"}, redrawn = {"Redraw"};
    EXPECT_EQ(c.fired.empty() ? Lines() : pausedAndBack, rig.PropertyWrites());
    EXPECT_EQ(c.fired.size() > 1 ? redrawn : Lines(), rig.paneBar.actions);
  }
}

}  // namespace
