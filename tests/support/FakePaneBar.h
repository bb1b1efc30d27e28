// A pane bar for component tests: its panes sit at kPaneArea, and the
// requests the menus make are recorded as lines ("EnablePane 115 off",
// "Redraw"); everything else does nothing.
#pragma once

#include <string>
#include <vector>

#include "ui/bar/PaneBar.h"

namespace testing_support {

class FakePaneBar final : public portal::NoPaneBar {
 public:
  static constexpr RECT kPaneArea = {100, 400, 160, 420};
  void Redraw() override { actions.push_back("Redraw"); }
  void EnablePane(UINT pane, bool enable) override {
    actions.push_back("EnablePane " + std::to_string(pane) + (enable ? " on" : " off"));
  }
  bool PaneScreenRect(UINT, RECT* rect) const override {
    *rect = kPaneArea;
    return true;
  }
  std::vector<std::string> actions;
};

}  // namespace testing_support
