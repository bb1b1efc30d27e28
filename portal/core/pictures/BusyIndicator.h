// The busy indicator shown while the camera takes a picture: a small
// modeless dialog of the resource module in which the busy animation plays
// once, placed over the control's window without taking the focus.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace portal {

class BusyIndicator {
 public:
  BusyIndicator() = default;
  BusyIndicator(const BusyIndicator&) = delete;
  BusyIndicator& operator=(const BusyIndicator&) = delete;
  ~BusyIndicator() = default;  // the window goes with window_

  // Creates the dialog from resources over the window `over` and starts
  // the animation; false when the dialog cannot be created.
  bool Show(HMODULE resources, HWND over);
  void Destroy() { window_.reset(); }

  HWND Handle() const { return window_.get(); }
  // Whether the animation could be opened from the resources and started.
  bool Animating() const { return animating_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND dialog);

  HMODULE resources_ = nullptr;
  HWND over_ = nullptr;
  bool animating_ = false;
  common::UniqueWindow window_;
};

}  // namespace portal
