// The control's child window.
#include "ui/PortalWindow.h"

#include "server/ModuleState.h"

namespace portal {
namespace {

constexpr wchar_t kClassName[] = L"Tovra2VideoPortalWindow";

ATOM RegisterPortalClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = windowProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kClassName;
  return ::RegisterClassExW(&wc);
}

}  // namespace

PortalWindow::~PortalWindow() { Destroy(); }

bool PortalWindow::Create(HWND parent, int x, int y, int width, int height) {
  if (hwnd_) return true;
  HINSTANCE instance = ModuleState::Instance();
  WNDCLASSEXW existing = {sizeof(existing)};
  if (!::GetClassInfoExW(instance, kClassName, &existing) && !RegisterPortalClass(instance, &PortalWindow::WindowProc)) {
    return false;
  }
  hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                            WS_CLIPSIBLINGS, x, y, width, height, parent, nullptr, instance, this);
  return hwnd_ != nullptr;
}

void PortalWindow::Destroy() {
  if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
  hwnd_ = nullptr;
}

LRESULT CALLBACK PortalWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PortalWindow*>(::GetWindowLongPtrW(hwnd, 0));
  if (message == WM_NCCREATE) {
    self = static_cast<PortalWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, kUserData);
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, 0, 0);
    self->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT PortalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd_, &ps);
      RECT client;
      ::GetClientRect(hwnd_, &client);
      owner_.OnPaint(dc, client);
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_DESTROY:
      owner_.OnDestroy();
      return 0;
    default: {
      LRESULT result = 0;
      if (owner_.OnMessage(message, wParam, lParam, &result)) return result;
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
  }
}

}  // namespace portal
