// The panes of a CStatusBarEx apart from its window: the 16-byte pane
// record, the pane kinds, and the two small state machines of the bar
// (blinking a pane, pressing a pane with the mouse).
#pragma once

#include <windows.h>

#include <vector>

namespace portal::controls {

// One pane as the bar's owner describes it.
struct PaneRecord {
  LONG id;      // pane id
  LONG kind;    // PaneKind
  LONG code;    // string or command number handed to the owner
  LONG iconId;  // icon resource id, 0 for none
};
static_assert(sizeof(PaneRecord) == 16, "pane records are 16 bytes");

enum PaneKind : LONG {
  kTextPane = 0,
  kMainTextPane = 1,  // drawn without borders, takes the width left over
  kButtonPane = 2,    // 2, 3 and 4: raised again at once after a press
  kButtonPane3 = 3,
  kButtonPane4 = 4,
  kHoldingPane = 5,   // 5 and 6: shown pressed while the left button is held
  kHoldingPane6 = 6,
  kOwnerWidthPane = 7,  // the owner supplies the width (kPaneWidthQuery)
};

bool IsButtonPane(LONG kind);
bool IsHoldingPane(LONG kind);

// Blink modes (combinable).
enum BlinkMode : int {
  kBlinkIcon = 1,
  kBlinkText = 2,
};
// A blink count that never runs out.
inline constexpr int kBlinkForever = -1;

// Which pane blinks and whether it is blank now. Each timer tick toggles;
// each return to shown completes a blink and counts the count down.
class PaneBlinker {
 public:
  void Start(int pane, int count, int mode);
  // One timer tick; false when blinking has ended with this tick (the
  // pane is shown again).
  bool Tick();
  void Stop();

  bool Active() const { return pane_ >= 0; }
  int Pane() const { return pane_; }
  bool TextBlank() const { return blank_ && (mode_ & kBlinkText); }
  bool IconBlank() const { return blank_ && (mode_ & kBlinkIcon); }
  int Remaining() const { return count_; }

 private:
  int pane_ = -1;
  int count_ = 0;
  int mode_ = 0;
  bool blank_ = false;
};

// What the bar does with a mouse event: tell the owner, and change how the
// pressed pane looks.
struct PressAction {
  enum class Look { Unchanged, Pressed, Raised };
  int pane = -1;          // pane concerned, -1 for none
  UINT notify = 0;        // mouse message for the owner, 0 for none
  Look look = Look::Unchanged;
  bool raiseAfterNotify = false;  // button panes pop up again at once
};

// Pane pressing. Events carry the pane under the mouse (-1 for none),
// its kind and whether it is enabled.
class PanePressTracker {
 public:
  PressAction LeftDown(int pane, LONG kind, bool enabled);
  PressAction LeftUp(int pane);
  PressAction RightDown(int pane, bool enabled);
  // A move with or without the left button held.
  PressAction Move(int pane, bool leftDown);
  PressAction Leave();
  // The panes were replaced.
  void Reset() { *this = PanePressTracker(); }

  int PressedPane() const { return pressed_; }
  bool ShownPressed() const { return shownPressed_; }

 private:
  PressAction ShowHolding(bool pressed);

  int pressed_ = -1;
  bool holding_ = false;
  bool shownPressed_ = false;
  bool left_ = false;  // the mouse left the bar since the press
};

}  // namespace portal::controls
