// The progress window of a movie save: a dialog of the resource module
// with a progress bar, created hidden and shown only when the save takes
// long. Closing it cancels the save. AVISaveV's progress callback has no
// context argument, so the window of the save running on a thread is
// found through a per-thread pointer.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace portal {

// When the window shows: once, the first time more than two seconds have
// passed since the start while the save is still below 80 %.
class SaveProgress {
 public:
  static constexpr DWORD kShowAfterMs = 2000;
  static constexpr int kShowBelowPercent = 80;

  explicit SaveProgress(DWORD startMs) : startMs_(startMs) {}
  // Whether the window is to be shown at this step.
  bool ShowAt(int percent, DWORD nowMs);

 private:
  DWORD startMs_;
  bool shown_ = false;
};

class SaveProgressWindow {
 public:
  // Creates the hidden window over owner and makes it this thread's save
  // window. Without the resource module there is no window and the save
  // runs to its end.
  SaveProgressWindow(HMODULE resources, HWND owner);
  ~SaveProgressWindow();
  SaveProgressWindow(const SaveProgressWindow&) = delete;
  SaveProgressWindow& operator=(const SaveProgressWindow&) = delete;

  // The AVISaveV progress callback: non-zero (AVIERR_USERABORT) once the
  // user has closed the window.
  static BOOL CALLBACK OnProgress(int percent);

  HWND Handle() const { return window_.get(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  LONG Step(int percent);
  // Paint messages of the thread and every message of the window.
  void DispatchPending();

  static thread_local SaveProgressWindow* current_;
  SaveProgressWindow* previous_;
  SaveProgress progress_;
  bool created_ = false;
  common::UniqueWindow window_;
};

}  // namespace portal
