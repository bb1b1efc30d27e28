// Window timer ticks. The timer's id is the object's address, so the
// timer procedure finds its object without a table.
#include "WindowTicks.h"

namespace torvane {

bool WindowTicks::Start(HWND window, Handler handler, UINT intervalMs) {
  Stop();
  handler_ = std::move(handler);
  if (!::SetTimer(window, reinterpret_cast<UINT_PTR>(this), intervalMs, &WindowTicks::OnTimer)) return false;
  window_ = window;
  return true;
}

void WindowTicks::Stop() {
  // A timer of a window that is gone went with it.
  if (window_ && ::IsWindow(window_)) ::KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

void CALLBACK WindowTicks::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  reinterpret_cast<WindowTicks*>(id)->Tick();
}

void WindowTicks::Tick() {
  if (inHandler_ || !window_ || !handler_) return;
  inHandler_ = true;
  try {
    // Copied: the handler may stop or restart these ticks.
    Handler handler = handler_;
    handler();
  } catch (...) {
    // A tick handler handles its own errors; nothing unwinds into the
    // system's timer dispatch.
  }
  inHandler_ = false;
}

}  // namespace torvane
