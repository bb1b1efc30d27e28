// The busy indicator dialog.
#include "core/pictures/BusyIndicator.h"

#include <commctrl.h>

#include "resources/LTovra2/LTovra2Ids.h"

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
  // The movie lives in the resource module, not in the module that created
  // the animation control, so it is opened explicitly from there.
  const HWND animation = ::GetDlgItem(dialog, IDC_BUSY_ANIMATION);
  animating_ = animation &&
               ::SendMessageW(animation, ACM_OPENW, reinterpret_cast<WPARAM>(resources_),
                              reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(IDA_BUSY_ANIMATION))) != 0;
  if (animating_) ::SendMessageW(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
}

}  // namespace portal
