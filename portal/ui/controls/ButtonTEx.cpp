// The text-and-picture push button.
#include "ui/controls/ButtonTEx.h"

#include "ui/controls/ButtonFace.h"

namespace portal::controls {
namespace {

constexpr int kFocusInset = 3;
constexpr int kPictureGap = 4;
constexpr DWORD kButtonTypeMask = 0x0F;

WNDPROC g_buttonProc = nullptr;

}  // namespace

CButtonTEx::CButtonTEx() : plainBackground_(::GetSysColor(COLOR_BTNFACE)) {}

CButtonTEx::~CButtonTEx() { DestroyControl(); }

LRESULT CALLBACK CButtonTEx::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hwnd, message, wParam, lParam, g_buttonProc);
}

bool CButtonTEx::Create(HWND parent, int id, const std::wstring& text, const RECT& rect, DWORD style) {
  if (!EnsureSuperclass(L"BUTTON", kClassName, WindowProc, &g_buttonProc)) return false;
  if (style == 0) style = kDefaultStyle;
  default_ = (style & kButtonTypeMask) == BS_DEFPUSHBUTTON;
  style = (style & ~kButtonTypeMask) | BS_OWNERDRAW;
  return CreateControl(0, kClassName, text.c_str(), style, rect, parent, id, g_buttonProc);
}

CButtonTEx* CButtonTEx::FromHandle(HWND hwnd) { return dynamic_cast<CButtonTEx*>(ControlWindow::FromHandle(hwnd)); }

void CButtonTEx::SetPlainBackground(COLORREF color) {
  plainBackground_ = color;
  Repaint();
}

void CButtonTEx::SetBevel(bool drawBevel, bool onlyWhileHovering) {
  bevel_ = drawBevel;
  bevelOnlyWhileHovering_ = onlyWhileHovering;
  Repaint();
}

CButtonTEx::FaceState CButtonTEx::CurrentState() const {
  FaceState state;
  if (!Handle()) return state;
  state.pressed = (::SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  state.focused = ::GetFocus() == Handle();
  state.disabled = !::IsWindowEnabled(Handle());
  state.isDefault = default_;
  state.hovering = hovering_;
  return state;
}

LRESULT CButtonTEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      // An owner-drawn button tells the dialog manager itself whether it
      // is the default one.
      return DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
      default_ = (wParam & kButtonTypeMask) == BS_DEFPUSHBUTTON;
      wParam = (wParam & ~kButtonTypeMask) | BS_OWNERDRAW;
      break;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
        trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
        hovering_ = true;
        Repaint();
      }
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      hovering_ = false;
      Repaint();
      break;
  }
  const auto alive = AliveToken();
  const LRESULT result = CallDefault(message, wParam, lParam);
  // The system button draws state changes through its owner; the face is
  // drawn here instead.
  switch (message) {
    case BM_SETSTATE: case BM_SETSTYLE: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_KEYDOWN: case WM_KEYUP:
    case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
      if (*alive) Repaint();
      break;
  }
  return result;
}

void CButtonTEx::PaintFace(HDC dc, const RECT& client) { Paint(dc, client, CurrentState()); }

void CButtonTEx::Paint(HDC dc, const RECT& client, const FaceState& state) const {
  const bool bevel = bevel_ && (!bevelOnlyWhileHovering_ || state.hovering);
  const COLORREF background =
      bevel ? (state.hovering ? colors_.hoverBackground : colors_.normalBackground) : plainBackground_;
  FillSolid(dc, client, background);

  // Picture and caption side by side, centred together.
  wchar_t text[256] = {};
  const int length = ::GetWindowTextW(Handle(), text, 256);
  RECT textSize = {0, 0, 0, 0};
  if (length > 0) ::DrawTextW(dc, text, length, &textSize, DT_SINGLELINE | DT_CALCRECT);
  const SIZE picture = picture_.Size();
  const int gap = !picture_.Empty() && length > 0 ? kPictureGap : 0;
  const int contentWidth = picture.cx + gap + (textSize.right - textSize.left);
  const int shift = state.pressed ? 1 : 0;
  int x = client.left + ((client.right - client.left) - contentWidth) / 2 + shift;
  if (!picture_.Empty()) {
    const int y = client.top + ((client.bottom - client.top) - picture.cy) / 2 + shift;
    picture_.Draw(dc, x, y, state.disabled);
    x += picture.cx + gap;
  }
  if (length > 0) PaintCaption(dc, {x, client.top + shift, client.right, client.bottom + shift}, state);

  if (!bevel) return;
  RECT frame = client;
  if (state.isDefault) {
    ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::InflateRect(&frame, -1, -1);
  }
  DrawBevel(dc, frame, colors_.lightBevel, colors_.darkBevel, state.pressed);
  if (state.focused) {
    RECT focus = frame;
    ::InflateRect(&focus, -kFocusInset, -kFocusInset);
    ::DrawFocusRect(dc, &focus);
  }
}

void CButtonTEx::PaintCaption(HDC dc, const RECT& area, const FaceState& state) const {
  wchar_t text[256] = {};
  const int length = ::GetWindowTextW(Handle(), text, 256);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  ::SetBkMode(dc, TRANSPARENT);
  if (state.disabled) {
    // Embossed: a light copy one pixel right and down under a dark one.
    const bool systemFace = colors_.normalBackground == ::GetSysColor(COLOR_BTNFACE);
    const COLORREF light = systemFace ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : LightShadeOf(colors_.normalBackground);
    const COLORREF dark = systemFace ? ::GetSysColor(COLOR_BTNSHADOW) : DarkShadeOf(colors_.normalBackground);
    RECT below = {area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
    ::SetTextColor(dc, light);
    ::DrawTextW(dc, text, length, &below, format);
    ::SetTextColor(dc, dark);
  } else {
    ::SetTextColor(dc, state.hovering ? colors_.hoverForeground : colors_.normalForeground);
  }
  RECT place = area;
  ::DrawTextW(dc, text, length, &place, format);
}

}  // namespace portal::controls
