// The camera menu the bar's camera button opens (switching cameras, the
// camera's dialogs); CameraPopup is the control's. NoCameraMenu does
// nothing, for tests of its callers.
#pragma once

namespace portal {

class CameraMenu {
 public:
  virtual void Open() = 0;

 protected:
  ~CameraMenu() = default;
};

class NoCameraMenu final : public CameraMenu {
 public:
  void Open() override {}
};

}  // namespace portal
