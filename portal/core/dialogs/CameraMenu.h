// The camera menu the bar's camera button opens (switching cameras, the
// camera's dialogs). NoCameraMenu stands in until the menu is built.
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
