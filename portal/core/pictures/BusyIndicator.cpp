// The busy indicator dialog.
#include "core/pictures/BusyIndicator.h"

#include <commctrl.h>

#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/controls/BusyAnimation.h"

namespace portal {

bool BusyIndicator::Show(HMODULE resources, HWND over) {
  Destroy();
  if (!resources) return false;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_ANIMATE_CLASS};
  ::InitCommonControlsEx(&controls);
  resources_ = resources;
  over_ = over;
  animating_ = false;
  window_.reset(::CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_BUSY_INDICATOR), over, DialogProc,
                                     reinterpret_cast<LPARAM>(this)));
  if (!window_) return false;
  ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(window_.get());
  return true;
}

INT_PTR CALLBACK BusyIndicator::DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<BusyIndicator*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->OnInitDialog(dialog);
    return FALSE;  // the indicator never takes the focus
  }
  return FALSE;
}

void BusyIndicator::OnInitDialog(HWND dialog) {
  // Centred over the control's window.
  RECT target = {}, own = {};
  if (over_ && ::GetWindowRect(over_, &target) && ::GetWindowRect(dialog, &own)) {
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int x = target.left + ((target.right - target.left) - width) / 2;
    const int y = target.top + ((target.bottom - target.top) - height) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  controls::BusyAnimation::Replace(dialog, resources_, &animating_);
}

}  // namespace portal
