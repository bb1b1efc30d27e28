// The pane bar's state machines without a window: blinking counts and
// modes, and pane pressing as sequences of mouse events with the owner
// notifications and looks each one must give.
#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/StatusBarPanes.h"

namespace {

using portal::controls::PaneBlinker;
using portal::controls::PanePressTracker;
using portal::controls::PressAction;
using Look = PressAction::Look;
namespace controls = portal::controls;

TEST(PaneBlinker, CountsBlinksAndEnds) {
  PaneBlinker blinker;
  blinker.Start(3, 2, controls::kBlinkText);
  ASSERT_TRUE(blinker.Active());
  // blank, shown (1 left), blank, shown (ended)
  const bool expectedBlank[] = {true, false, true};
  for (bool blank : expectedBlank) {
    EXPECT_TRUE(blinker.Tick());
    EXPECT_EQ(blank, blinker.TextBlank());
    EXPECT_FALSE(blinker.IconBlank()) << "the icon is not blinking";
  }
  EXPECT_EQ(1, blinker.Remaining());
  EXPECT_FALSE(blinker.Tick()) << "the second blink completes the count";
  EXPECT_FALSE(blinker.Active());
  EXPECT_FALSE(blinker.TextBlank());

  blinker.Start(1, controls::kBlinkForever, controls::kBlinkIcon | controls::kBlinkText);
  for (int i = 0; i < 1001; ++i) ASSERT_TRUE(blinker.Tick());
  EXPECT_TRUE(blinker.IconBlank() && blinker.TextBlank());
  blinker.Stop();
  EXPECT_FALSE(blinker.Active() || blinker.IconBlank() || blinker.TextBlank());

  blinker.Start(1, 0, controls::kBlinkText);
  EXPECT_FALSE(blinker.Active()) << "no blinks asked";
  blinker.Start(1, 5, 0);
  EXPECT_FALSE(blinker.Active()) << "nothing to blink";
}

enum class Op { LeftDown, LeftUp, RightDown, Move, MoveHeld, Leave };
struct Event {
  Op op;
  int pane;
  LONG kind = 0;
  bool enabled = true;
  UINT notify = 0;
  Look look = Look::Unchanged;
  bool raiseAfter = false;
};

PressAction Apply(PanePressTracker& tracker, const Event& e) {
  switch (e.op) {
    case Op::LeftDown: return tracker.LeftDown(e.pane, e.kind, e.enabled);
    case Op::LeftUp: return tracker.LeftUp(e.pane);
    case Op::RightDown: return tracker.RightDown(e.pane, e.enabled);
    case Op::Move: return tracker.Move(e.pane, false);
    case Op::MoveHeld: return tracker.Move(e.pane, true);
    case Op::Leave: default: return tracker.Leave();
  }
}

struct Sequence {
  const char* what;
  std::vector<Event> events;
};

TEST(PanePressTracker, SequencesOfMouseEvents) {
  const UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP, right = WM_RBUTTONDOWN;
  const Sequence sequences[] = {
      {"holding pane pressed, moved off and back, released on it",
       {{Op::LeftDown, 1, 6, true, down, Look::Pressed},
        {Op::MoveHeld, 2, 0, true, 0, Look::Raised},
        {Op::MoveHeld, 2},
        {Op::MoveHeld, 1, 0, true, 0, Look::Pressed},
        {Op::LeftUp, 1, 0, true, up, Look::Raised}}},
      {"released over another pane: no left-up for the owner",
       {{Op::LeftDown, 1, 5, true, down, Look::Pressed},
        {Op::MoveHeld, 0, 0, true, 0, Look::Raised},
        {Op::LeftUp, 0}}},
      {"disabled panes tell nothing",
       {{Op::LeftDown, 1, 2, false}, {Op::LeftUp, 1}, {Op::RightDown, 1, 0, false}, {Op::RightDown, 1, 0, true, right}}},
      {"button pane pops up at once after telling the owner",
       {{Op::LeftDown, 2, 2, true, down, Look::Pressed, true}, {Op::LeftUp, 2, 0, true, up}}},
      {"mouse leaves and comes back without the button: pane forgotten",
       {{Op::LeftDown, 1, 5, true, down, Look::Pressed},
        {Op::Leave, -1, 0, true, 0, Look::Raised},
        {Op::Move, 1},
        {Op::LeftUp, 1}}},
      {"mouse leaves and comes back with the button held",
       {{Op::LeftDown, 1, 5, true, down, Look::Pressed},
        {Op::Leave, -1, 0, true, 0, Look::Raised},
        {Op::MoveHeld, 1, 0, true, 0, Look::Pressed},
        {Op::LeftUp, 1, 0, true, up, Look::Raised}}},
      {"text pane: notifications without a pressed look",
       {{Op::LeftDown, 0, 0, true, down}, {Op::MoveHeld, 0}, {Op::LeftUp, 0, 0, true, up}}},
      {"no pane under the mouse", {{Op::LeftDown, -1, 5}, {Op::RightDown, -1}, {Op::LeftUp, -1}}},
  };
  for (const Sequence& sequence : sequences) {
    PanePressTracker tracker;
    int step = 0;
    for (const Event& e : sequence.events) {
      const PressAction action = Apply(tracker, e);
      SCOPED_TRACE(testing::Message() << sequence.what << ", step " << step++);
      EXPECT_EQ(e.notify, action.notify);
      EXPECT_EQ(e.look, action.look);
      EXPECT_EQ(e.raiseAfter, action.raiseAfterNotify);
    }
    EXPECT_EQ(-1, tracker.PressedPane()) << sequence.what << ": nothing stays pressed";
  }
}

}  // namespace
