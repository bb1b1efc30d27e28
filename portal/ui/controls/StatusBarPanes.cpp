// Blinking and pressing of the bar's panes.
#include "ui/controls/StatusBarPanes.h"

namespace portal::controls {

bool IsButtonPane(LONG kind) { return kind >= kButtonPane && kind <= kButtonPane4; }
bool IsHoldingPane(LONG kind) { return kind == kHoldingPane || kind == kHoldingPane6; }

void PaneBlinker::Start(int pane, int count, int mode) {
  Stop();
  if (pane < 0 || count == 0 || !(mode & (kBlinkIcon | kBlinkText))) return;
  pane_ = pane;
  count_ = count;
  mode_ = mode;
}

bool PaneBlinker::Tick() {
  if (!Active()) return false;
  blank_ = !blank_;
  if (blank_) return true;
  if (count_ > 0 && --count_ == 0) {
    Stop();
    return false;
  }
  return true;
}

void PaneBlinker::Stop() { *this = PaneBlinker(); }

PressAction PanePressTracker::ShowHolding(bool pressed) {
  PressAction action;
  action.pane = pressed_;
  if (holding_ && shownPressed_ != pressed) {
    shownPressed_ = pressed;
    action.look = pressed ? PressAction::Look::Pressed : PressAction::Look::Raised;
  }
  return action;
}

PressAction PanePressTracker::LeftDown(int pane, LONG kind, bool enabled) {
  if (pane < 0 || !enabled) return {};
  pressed_ = pane;
  holding_ = IsHoldingPane(kind);
  left_ = false;
  PressAction action;
  action.pane = pane;
  action.notify = WM_LBUTTONDOWN;
  if (holding_) {
    shownPressed_ = true;
    action.look = PressAction::Look::Pressed;
  } else if (IsButtonPane(kind)) {
    action.look = PressAction::Look::Pressed;
    action.raiseAfterNotify = true;
  }
  return action;
}

PressAction PanePressTracker::LeftUp(int pane) {
  if (pressed_ < 0) return {};
  PressAction action = ShowHolding(false);
  if (pane == pressed_) action.notify = WM_LBUTTONUP;
  pressed_ = -1;
  holding_ = false;
  return action;
}

PressAction PanePressTracker::RightDown(int pane, bool enabled) {
  if (pane < 0 || !enabled) return {};
  PressAction action;
  action.pane = pane;
  action.notify = WM_RBUTTONDOWN;
  return action;
}

PressAction PanePressTracker::Move(int pane, bool leftDown) {
  if (pressed_ < 0) return {};
  if (!leftDown) {
    // The button went up where the bar could not see it.
    if (left_) {
      PressAction action = ShowHolding(false);
      pressed_ = -1;
      holding_ = false;
      return action;
    }
    return {};
  }
  left_ = false;
  return ShowHolding(pane == pressed_);
}

PressAction PanePressTracker::Leave() {
  if (pressed_ < 0) return {};
  left_ = true;
  return ShowHolding(false);
}

}  // namespace portal::controls
