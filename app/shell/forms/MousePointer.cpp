// The application's mouse pointer.
#include "MousePointer.h"

namespace torvane {

namespace {
bool g_hourglass = false;  // the user-interface thread only
}  // namespace

void MousePointer::SetHourglass(bool on) {
  g_hourglass = on;
  // Shared system cursors: never destroyed.
  ::SetCursor(::LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
}

bool MousePointer::Hourglass() { return g_hourglass; }

bool MousePointer::ApplyToWindow() {
  if (!g_hourglass) return false;
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  return true;
}

}  // namespace torvane
