// The image button's window: mouse states, click and face.
#include "ui/controls/ImageButton.h"

#include <versionhelpers.h>
#include <windowsx.h>

#include "server/ModuleState.h"
#include "ui/controls/ControlMessages.h"
#include "ui/controls/PopupPanel.h"

namespace portal::controls {
namespace {

HCURSOR HandCursor() {
  static const HCURSOR hand = !::IsWindowsVersionOrGreater(5, 0, 0)
      ? ::LoadCursorW(ModuleState::ResourceModule(), MAKEINTRESOURCEW(ImageButton::kOldSystemHandCursor))
      : ::LoadCursorW(nullptr, IDC_HAND);
  return hand;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

ImageButton::ImageButton() = default;

ImageButton::~ImageButton() { DestroyControl(); }

LRESULT CALLBACK ImageButton::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hwnd, message, wParam, lParam, ::DefWindowProcW);
}

bool ImageButton::Create(HWND parent, int id, const RECT& rect, DWORD style) {
  if (!EnsureWindowClass(kClassName, WindowProc, ::LoadCursorW(nullptr, IDC_ARROW))) return false;
  command_ = id;
  return CreateControl(0, kClassName, L"", style, rect, parent, id, ::DefWindowProcW);
}

ImageButton* ImageButton::FromHandle(HWND hwnd) {
  return dynamic_cast<ImageButton*>(ControlWindow::FromHandle(hwnd));
}

void ImageButton::SetArrow(ArrowDirection direction) {
  arrow_ = direction;
  Repaint();
}

void ImageButton::SetShape(common::UniqueRegion shape) {
  if (!Handle()) return;
  hasShape_ = shape.valid();
  // The system owns a region once it is the window's.
  if (::SetWindowRgn(Handle(), shape.get(), TRUE)) shape.release();
}

bool ImageButton::InShape(POINT point) const {
  if (hasShape_) {
    common::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (region && ::GetWindowRgn(Handle(), region.get()) != ERROR) return ::PtInRegion(region.get(), point.x, point.y);
  }
  RECT client;
  ::GetClientRect(Handle(), &client);
  return ::PtInRect(&client, point) != FALSE;
}

LRESULT ImageButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the face covers the whole window
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, PointOf(lParam));
      return 0;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDown(PointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        Repaint();
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
  }
  return CallDefault(message, wParam, lParam);
}

void ImageButton::OnMouseMove(WPARAM keys, POINT point) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
    hovering_ = true;
    Repaint();
  }
  if (Clickable()) {
    const bool inside = InShape(point);
    if (inside != inside_) {
      inside_ = inside;
      Repaint();
      ApplyCursor();
    }
  }
  // MK_LBUTTON is the primary button after the swapped-buttons setting.
  if (pressed_ && !(keys & MK_LBUTTON)) {
    pressed_ = false;
    Repaint();
  }
}

void ImageButton::OnMouseLeave() {
  trackingLeave_ = false;
  hovering_ = false;
  inside_ = false;
  Repaint();
}

bool ImageButton::OnSetCursor() {
  if (!Clickable()) return false;
  ApplyCursor();
  return true;
}

void ImageButton::ApplyCursor() const {
  ::SetCursor(inside_ ? (cursor_ ? cursor_ : HandCursor()) : ::LoadCursorW(nullptr, IDC_ARROW));
}

void ImageButton::OnLeftButtonDown(POINT point) {
  if (!Clickable() || !InShape(point)) return;
  pressed_ = true;
  Repaint();
  ::UpdateWindow(Handle());
  // The owner may destroy this button while it handles the click.
  const auto alive = AliveToken();
  if (panel_) {
    panel_->Run(Handle(), ::GetParent(Handle()));
  } else {
    ::SendMessageW(target_, ClickMessage(), static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(this));
  }
  if (!*alive) return;
  if (!panel_) {
    pressed_ = hovering_ = inside_ = false;
    Repaint();
  }
}

void ImageButton::PaintFace(HDC dc, const RECT& client) {
  const bool hover = hovering_ || inside_;
  FillSolid(dc, client, hover ? colors_.hoverBackground : colors_.normalBackground);
  DrawBevel(dc, client, colors_.lightBevel, colors_.darkBevel, pressed_);
  const bool disabled = !::IsWindowEnabled(Handle());
  if (!picture_.Empty()) {
    picture_.DrawCentred(dc, client, pressed_, disabled);
  } else {
    DrawArrow(dc, client, hover ? colors_.hoverForeground : colors_.normalForeground, arrow_, pressed_);
  }
}

}  // namespace portal::controls
