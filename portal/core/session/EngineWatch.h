// Notices the end of the camera engine's process while the control holds
// it: a call that failed because the server has gone, or the engine's
// process handle signalled (watched on the thread pool, so that a control
// that makes no calls still notices within moments). Either way the
// control's window gets kMsgEngineGone once; its message router lets the
// engine go as it would an unplugged camera.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "common/UniqueHandle.h"
#include "core/WindowView.h"
#include "engine/EngineLink.h"

namespace portal {

// The control's own message (outside the engine's report numbers, so that
// no engine report can fake it).
inline constexpr UINT kMsgEngineGone = 1480;

class EngineWatch {
 public:
  explicit EngineWatch(WindowView& view) : view_(view) {}
  EngineWatch(const EngineWatch&) = delete;
  EngineWatch& operator=(const EngineWatch&) = delete;
  ~EngineWatch() { Stop(); }

  // A link whose every result is checked by this watch.
  std::unique_ptr<EngineLink> Watch(std::unique_ptr<EngineLink> link);
  // Arms the watch for a new engine and waits for the end of its process
  // (opened for SYNCHRONIZE only); the message then goes to window. False
  // when the process cannot be watched: failed calls are still noticed.
  bool Start(DWORD processId, HWND window);
  // Nothing more is posted; a callback already running is waited for.
  void Stop();
  // A failure that means the engine has gone posts the message (on the
  // caller's thread, the window's).
  void CheckResult(HRESULT hr);
  bool WatchingProcess() const { return wait_.valid(); }

 private:
  static VOID CALLBACK OnProcessEnded(PVOID context, BOOLEAN timedOut);
  // True for the first notice after Start.
  bool FirstNotice() { return !noticed_.exchange(true); }

  WindowView& view_;
  HWND window_ = nullptr;
  common::UniqueKernelHandle process_;
  common::UniqueThreadPoolWait wait_;
  std::atomic<bool> noticed_{false};
};

}  // namespace portal
