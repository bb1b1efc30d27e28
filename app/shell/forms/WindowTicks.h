// One-second ticks (or any interval) of a window timer: the handler runs on
// the user-interface thread for every WM_TIMER the message loop delivers.
// A handler is never entered again while it runs (a tick that falls due
// while it shows a prompt is dropped), so a tick's work happens once.
// The forms' schedules keep their logic apart and take the time from the
// flows' clock, so tests drive that logic with their own ticks and clock.
#pragma once

#include <windows.h>

#include <functional>

namespace torvane {

class WindowTicks {
 public:
  using Handler = std::function<void()>;
  static constexpr UINT kOneSecond = 1000;

  WindowTicks() = default;
  ~WindowTicks() { Stop(); }
  WindowTicks(const WindowTicks&) = delete;
  WindowTicks& operator=(const WindowTicks&) = delete;

  // (Re)starts ticking for the window; false when no timer was available.
  bool Start(HWND window, Handler handler, UINT intervalMs = kOneSecond);
  void Stop();
  bool Running() const { return window_ != nullptr; }

 private:
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  void Tick();

  HWND window_ = nullptr;
  Handler handler_;
  bool inHandler_ = false;
};

}  // namespace torvane
