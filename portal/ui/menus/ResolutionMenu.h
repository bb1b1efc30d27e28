// The resolution menu the bar's resolution button opens. NoResolutionMenu
// stands in until the menu is built.
#pragma once

namespace portal {

class ResolutionMenu {
 public:
  // Shows the menu at the resolution button and applies the chosen size.
  virtual void Open() = 0;

 protected:
  ~ResolutionMenu() = default;
};

class NoResolutionMenu final : public ResolutionMenu {
 public:
  void Open() override {}
};

}  // namespace portal
