// Window classes and the object binding of the skinned controls.
#include "ui/controls/ControlWindow.h"

#include "common/Module.h"

namespace portal::controls {
namespace {

constexpr wchar_t kObjectProperty[] = L"Tovra2.ControlObject";

bool ClassRegistered(const wchar_t* name) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  return ::GetClassInfoExW(ControlsInstance(), name, &existing) != FALSE;
}

}  // namespace

HINSTANCE ControlsInstance() { return common::CurrentModule(); }

bool EnsureWindowClass(const wchar_t* name, WNDPROC proc, HCURSOR cursor, UINT style) {
  if (ClassRegistered(name)) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = ControlsInstance();
  wc.hCursor = cursor;
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) != 0;
}

bool EnsureSuperclass(const wchar_t* base, const wchar_t* name, WNDPROC proc, WNDPROC* baseProc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(nullptr, base, &wc)) return false;
  *baseProc = wc.lpfnWndProc;
  if (ClassRegistered(name)) return true;
  wc.style &= ~CS_GLOBALCLASS;  // ours stays private to this module
  wc.lpfnWndProc = proc;
  wc.hInstance = ControlsInstance();
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) != 0;
}

ControlWindow::~ControlWindow() {
  *alive_ = false;
  DestroyControl();
}

ControlWindow* ControlWindow::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<ControlWindow*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool ControlWindow::CreateControl(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                                  const RECT& rect, HWND parent, int id, WNDPROC defaultProc) {
  if (hwnd_) return false;
  defaultProc_ = defaultProc;
  const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  ::CreateWindowExW(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, menu, ControlsInstance(), this);
  return hwnd_ != nullptr;
}

void ControlWindow::DestroyControl() {
  if (!hwnd_) return;
  // Messages of the ending window no longer reach a half-destroyed object.
  const HWND hwnd = hwnd_;
  ::RemovePropW(hwnd, kObjectProperty);
  hwnd_ = nullptr;
  ::DestroyWindow(hwnd);
}

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallDefault(message, wParam, lParam);
}

LRESULT ControlWindow::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(defaultProc_, hwnd_, message, wParam, lParam);
}

LRESULT ControlWindow::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC defaultProc) {
  ControlWindow* self = FromHandle(hwnd);
  if (message == WM_NCCREATE && !self) {
    self = static_cast<ControlWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      ::SetPropW(hwnd, kObjectProperty, self);
    }
  }
  if (!self) return ::CallWindowProcW(defaultProc, hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::RemovePropW(hwnd, kObjectProperty);
    const LRESULT result = self->CallDefault(message, wParam, lParam);
    self->hwnd_ = nullptr;
    self->OnWindowDestroyed();
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace portal::controls
