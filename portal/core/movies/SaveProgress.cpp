// The movie save's progress window.
#include "core/movies/SaveProgress.h"

#include <commctrl.h>
#include <vfw.h>

#include "resources/LTovra2/LTovra2Ids.h"

namespace portal {
namespace {

// A window that never validates its paint region must not hold the save
// in the dispatch loop.
constexpr int kMostPaintMessages = 64;

}  // namespace

thread_local SaveProgressWindow* SaveProgressWindow::current_ = nullptr;

bool SaveProgress::ShowAt(int percent, DWORD nowMs) {
  if (shown_ || nowMs - startMs_ <= kShowAfterMs || percent >= kShowBelowPercent) return false;
  shown_ = true;
  return true;
}

SaveProgressWindow::SaveProgressWindow(HMODULE resources, HWND owner)
    : previous_(current_), progress_(::GetTickCount()) {
  current_ = this;
  if (!resources) return;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  window_.reset(::CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_SAVE_PROGRESS), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this)));
  created_ = window_.valid();
  if (created_) ::SendDlgItemMessageW(window_.get(), IDC_SAVE_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
}

SaveProgressWindow::~SaveProgressWindow() { current_ = previous_; }

BOOL CALLBACK SaveProgressWindow::OnProgress(int percent) {
  return current_ ? current_->Step(percent) : FALSE;
}

INT_PTR CALLBACK SaveProgressWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      ::DestroyWindow(dialog);
      return TRUE;
    case WM_CLOSE:
      ::DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      // Closed by the user: the owner must not destroy it again.
      if (auto* self = reinterpret_cast<SaveProgressWindow*>(::GetWindowLongPtrW(dialog, DWLP_USER))) {
        self->window_.release();
      }
      return FALSE;
    default:
      return FALSE;
  }
}

LONG SaveProgressWindow::Step(int percent) {
  if (!created_) return FALSE;  // nothing the user could close
  if (!window_) return AVIERR_USERABORT;
  if (progress_.ShowAt(percent, ::GetTickCount())) ::ShowWindow(window_.get(), SW_SHOW);
  ::SendDlgItemMessageW(window_.get(), IDC_SAVE_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  DispatchPending();
  return FALSE;
}

void SaveProgressWindow::DispatchPending() {
  MSG message;
  for (int i = 0; i < kMostPaintMessages && ::PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
    ::DispatchMessageW(&message);
  }
  while (window_ && ::PeekMessageW(&message, window_.get(), 0, 0, PM_REMOVE)) {
    if (!::IsDialogMessageW(window_.get(), &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

}  // namespace portal
