// The resolution menu the bar's resolution button opens; ResolutionPopup is
// the control's. NoResolutionMenu does nothing, for tests of its callers.
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
