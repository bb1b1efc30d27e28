// The format sequence on fakes: when it may run, its cancellation through
// code 12, motion reporting paused and the camera button disabled around
// the control panel, and code 5 when the width changed. The applet is
// missing here, so the engine's own dialog stands in for the control panel.
#include <gtest/gtest.h>

#include <functional>

#include "FakePaneBar.h"
#include "PortalContract.h"
#include "ComponentRig.h"
#include "Sequences.h"
#include "TempFolder.h"
#include "core/dialogs/CameraDialogs.h"
#include "core/dialogs/PortalLaunchers.h"
#include "engine/Records.h"

namespace {

using namespace engine;
using namespace testing_support;

struct SequenceRig : ComponentRig {
  FakePaneBar paneBar;
  TempFolder nowhere;
  portal::PortalLaunchers launchers{{session, paneBar, view, events}};
  portal::CameraDialogs dialogs{session, launchers};
  SequenceRig() : ComponentRig(L"FormatSequenceTest") {
    launchers.SetControlPanelPaths({nowhere.Folder(), nowhere.Folder(), nowhere.Folder()});
    Motion(-1, 40);
    Format(320);
  }
  void Format(LONG width) {
    engine.OnInquire(kCmdFormat, kFormatRead).Returns(portal::MakeVideoFormatRecord(width, width * 3 / 4, 24, 0));
  }
  // A client's handler of code 12 that writes flag.
  void Client(LONG flag) {
    events.handler = [flag](const FiredNotification& n) {
      if (n.code == tovra2::kNotifyFormatSequence) *reinterpret_cast<LONG*>(n.param3) = flag;
    };
  }
};

TEST(FormatSequence, WhenItRunsAndWhatItReports) {
  const FiredNotification starts = Fired(tovra2::kNotifyFormatSequence, 0, 0, kAnyAddress);
  const FiredNotification paused = Fired(tovra2::kNotifyMotion);
  const struct {
    const char* name;
    std::function<void(SequenceRig&)> given;
    std::vector<FiredNotification> fired;  // empty: refused before code 12
    bool runs;
    size_t propertyWrites;  // 19 off, then 19 and 20 back
    size_t engineDialogs;
  } cases[] = {
      {"connected, same size", [](SequenceRig& r) { r.Cameras(1, 0); }, {starts, paused}, true, 3, 1},
      {"the dialog changed the width",
       [](SequenceRig& r) {
         r.Cameras(1, 0);
         r.Format(640);
         r.engine.OnInquire(kCmdFormat, kFormatRead).Once().Returns(portal::MakeVideoFormatRecord(320, 240, 24, 0));
       },
       {starts, paused, Fired(tovra2::kNotifyFormatChanged, 640, 480)}, true, 3, 1},
      {"not connected: nothing to pause or show", [](SequenceRig& r) { r.Cameras(1, -1); }, {starts}, true, 0, 0},
      {"a client lets it run", [](SequenceRig& r) { r.Cameras(1, 0), r.Client(1); }, {starts, paused}, true, 3, 1},
      {"a client cancels it", [](SequenceRig& r) { r.Cameras(1, 0), r.Client(0); }, {starts}, false, 0, 0},
      {"element 4 off",
       [](SequenceRig& r) { r.Cameras(1, 0), r.session.State().allowFormatSequence = false; }, {}, false, 0, 0},
      {"a recording runs", [](SequenceRig& r) { r.Cameras(1, 0), r.Recording(); }, {}, false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SequenceRig rig;
    c.given(rig);
    EXPECT_EQ(c.runs, rig.dialogs.Show(0));
    EXPECT_TRUE(MatchSequence("notifications", rig.events.fired, c.fired));
    const std::vector<std::string> buttonOffAndOn = {"EnablePane 115 off", "EnablePane 115 on"};
    EXPECT_EQ(c.runs ? buttonOffAndOn : std::vector<std::string>(), rig.paneBar.actions);
    EXPECT_EQ(c.propertyWrites, rig.PropertyWrites().size());
    EXPECT_EQ(c.engineDialogs, rig.engine.CallsOf(EngineOp::kExecute, kCmdDialog).size());
    EXPECT_EQ(c.runs, !rig.view.actions.empty() && rig.view.actions.back() == "Focus");
  }
}

}  // namespace
