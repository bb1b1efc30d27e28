// The quarter-circle corner button: a small round image button in the
// bottom-right corner of a host push button. It is a sibling of the host
// with the first control id above 2298 that is free in the parent; its
// shape is the quarter disk of radius 21 around the host's bottom-right
// corner, and the host's shape becomes its rectangle minus that disk.
// Removing the button gives the host its rectangle back.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"
#include "ui/controls/ImageButton.h"

namespace portal::controls {

class CornerButton {
 public:
  static constexpr int kRadius = 21;
  static constexpr int kIdsAbove = 2298;

  CornerButton() = default;
  CornerButton(const CornerButton&) = delete;
  CornerButton& operator=(const CornerButton&) = delete;
  ~CornerButton() { Remove(); }

  // Creates the corner button on host; false when host is no child window
  // or the button cannot be created. A second Attach moves it to the new
  // host.
  bool Attach(HWND host);
  void Remove();
  // Places the button again after the host moved or changed its size.
  void Reposition();

  HWND Host() const { return host_; }
  // The image button itself: give it a target or a panel, colours, a
  // picture or a cursor as for any image button.
  ImageButton& Button() { return button_; }

 private:
  HWND host_ = nullptr;
  ImageButton button_;
};

// Regions of the corner geometry, in the coordinates of the window they
// are for.
common::UniqueRegion QuarterDiskRegion(int radius);
common::UniqueRegion HostWithoutCornerRegion(int width, int height, int radius);
// The first control id above `above` that no child of parent uses.
int FirstFreeControlId(HWND parent, int above);

}  // namespace portal::controls
