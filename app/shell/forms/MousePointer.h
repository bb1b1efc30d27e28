// The application's mouse pointer: while the hourglass is set it shows
// over every window of the program (each form and the main window answer
// WM_SETCURSOR with it), until the default is set back.
#pragma once

#include <windows.h>

namespace torvane {

class MousePointer {
 public:
  static void SetHourglass(bool on);
  static bool Hourglass();
  // For WM_SETCURSOR: true (the wait cursor is set) while the hourglass is on.
  static bool ApplyToWindow();
};

}  // namespace torvane
