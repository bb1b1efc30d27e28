// Watches the dialogs the current thread creates while the control works:
// message boxes (activated) are counted, their text and caption kept, an
// optional action run while the box is up, and then answered with OK;
// dialogs that are never activated (the busy indicator, a hidden progress
// window) are counted separately and can be handed to an action as they
// are created.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace portal_test {

class DialogWatch {
 public:
  // While the box is up, before it is answered.
  explicit DialogWatch(std::function<void()> whileShown = {});
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  ~DialogWatch();

  int MessageBoxes() const { return static_cast<int>(texts_.size()); }
  const std::vector<std::wstring>& Texts() const { return texts_; }
  const std::vector<std::wstring>& Captions() const { return captions_; }
  // Dialogs created that were never activated (the busy indicator).
  int QuietDialogs() const { return static_cast<int>(created_.size()) - MessageBoxes(); }
  // Whether any dialog created under the watch still exists.
  bool AnyDialogLeft() const;
  // Runs for every dialog as it is created (before it is shown).
  void OnCreated(std::function<void(HWND)> action) { onCreated_ = std::move(action); }

 private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

  HHOOK hook_ = nullptr;
  std::function<void()> whileShown_;
  std::function<void(HWND)> onCreated_;
  std::vector<HWND> created_;
  std::vector<HWND> pending_;  // boxes waiting to be answered
  std::vector<std::wstring> texts_;
  std::vector<std::wstring> captions_;
};

}  // namespace portal_test
