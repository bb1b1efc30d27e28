// The dialog watch: a CBT hook on the test's thread, and a short timer per
// message box that runs the action and presses OK from the box's own
// message loop.
#include "DialogWatch.h"

#include <algorithm>

namespace portal_test {
namespace {

DialogWatch* g_watch = nullptr;

bool IsDialog(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return std::wstring(name) == L"#32770";
}

std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

}  // namespace

DialogWatch::DialogWatch(std::function<void()> whileShown) : whileShown_(std::move(whileShown)) {
  g_watch = this;
  hook_ = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

DialogWatch::~DialogWatch() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
  g_watch = nullptr;
}

bool DialogWatch::AnyDialogLeft() const {
  return std::any_of(created_.begin(), created_.end(), [](HWND window) { return ::IsWindow(window) != FALSE; });
}

LRESULT CALLBACK DialogWatch::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  DialogWatch* watch = g_watch;
  if (watch && code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    if (create->lpcs->lpszClass == MAKEINTATOM(32770) ||
        (!IS_INTRESOURCE(create->lpcs->lpszClass) && std::wstring(create->lpcs->lpszClass) == L"#32770")) {
      watch->created_.push_back(reinterpret_cast<HWND>(wParam));
      if (watch->onCreated_) watch->onCreated_(reinterpret_cast<HWND>(wParam));
    }
  } else if (watch && code == HCBT_ACTIVATE) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (IsDialog(window) && ::GetDlgItem(window, 0xFFFF) &&
        std::find(watch->pending_.begin(), watch->pending_.end(), window) == watch->pending_.end()) {
      // The texts are read once the box is fully up, from the timer.
      watch->texts_.emplace_back();
      watch->captions_.emplace_back();
      watch->pending_.push_back(window);
      ::SetTimer(nullptr, 0, 50, OnTimer);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogWatch::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  DialogWatch* watch = g_watch;
  if (!watch || watch->pending_.empty()) return;
  const HWND box = watch->pending_.front();
  watch->pending_.erase(watch->pending_.begin());
  const size_t index = watch->texts_.size() - watch->pending_.size() - 1;
  watch->texts_[index] = Text(::GetDlgItem(box, 0xFFFF));
  watch->captions_[index] = Text(box);
  if (watch->whileShown_) watch->whileShown_();
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace portal_test
