// The hourglass pointer for the length of a scope, then the previous one.
#pragma once

#include <windows.h>

namespace common {

class WaitCursor {
 public:
  WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { ::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;  // shared system cursors: never destroyed
};

}  // namespace common
