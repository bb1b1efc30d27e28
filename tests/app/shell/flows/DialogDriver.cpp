// Dialog automation for the prompt tests.
#include "DialogDriver.h"


namespace flow_tests {

namespace {

DialogDriver* g_driver = nullptr;  // one driver at a time

struct Search {
  HWND exclude;
  HWND found;
};

BOOL CALLBACK TakeDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (window != search->exclude && std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
    search->found = window;  // top-level windows come in z-order: the first is the top one
    return FALSE;
  }
  return TRUE;
}

// Keys go to the focused control, as typing would.
HWND KeyTarget(HWND dialog) {
  HWND focus = ::GetFocus();
  return focus && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
}

}  // namespace

HWND FindThreadDialog(HWND exclude) {
  Search search{exclude, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DialogDriver::DialogDriver(Action action) {
  pending_.push_back(std::move(action));
  g_driver = this;
  timer_ = ::SetTimer(nullptr, 0, 20, OnTick);
}

DialogDriver::~DialogDriver() {
  ::KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

void CALLBACK DialogDriver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_driver) g_driver->Tick();
}

void DialogDriver::Tick() {
  if (pending_.empty()) return;
  HWND dialog = FindThreadDialog();
  if (!dialog) {
    if (++idleTicks_ > 500) pending_.clear();  // ten seconds without a dialog: give up
    return;
  }
  Action action = std::move(pending_.front());
  pending_.erase(pending_.begin());
  acted_ = true;
  action(dialog);
}

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void PostKeyDown(HWND dialog, WPARAM key) { ::PostMessageW(KeyTarget(dialog), WM_KEYDOWN, key, 1); }

void PostChar(HWND dialog, wchar_t c) { ::PostMessageW(KeyTarget(dialog), WM_CHAR, c, 1); }

}  // namespace flow_tests
