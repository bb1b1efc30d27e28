// Close button, etched line and check button of the popup panels.
#include "ui/controls/PanelDecorations.h"

#include "common/UniqueHandle.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"
#include "ui/controls/ButtonFace.h"
#include "ui/controls/ButtonTEx.h"
#include "ui/controls/PopupPanel.h"

namespace portal::controls {
namespace {

constexpr int kCheckLeft = 5, kCheckTop = 6, kCheckBottom = 28, kCheckRightGap = 5;
constexpr int kLineTop = 2;
constexpr int kCrossInset = 3;

bool HasEtchedLine(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
    if (::lstrcmpiW(className, L"STATIC") == 0 && (style & SS_TYPEMASK) == SS_ETCHEDHORZ) return true;
  }
  return false;
}

HWND CreateChild(HWND dialog, const wchar_t* className, DWORD style, const RECT& rect, int id) {
  const HWND child = ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, dialog,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(dialog, GWLP_HINSTANCE)),
                                      nullptr);
  if (child) ::SendMessageW(child, WM_SETFONT, ::SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return child;
}

}  // namespace

std::unique_ptr<CButtonTEx> AddPanelDecorations(HWND dialog) {
  RECT client;
  ::GetClientRect(dialog, &client);
  const int contentHeight = client.bottom;
  const bool addCheck = !::GetDlgItem(dialog, PopupPanel::kCheckButtonId);
  int width = client.right;
  if (addCheck) {
    RECT window;
    ::GetWindowRect(dialog, &window);
    ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + PopupPanel::kGrowWidth,
                   window.bottom - window.top + PopupPanel::kGrowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    width += PopupPanel::kGrowWidth;
  }
  if (!::GetDlgItem(dialog, PopupPanel::kCloseButtonId)) {
    const int size = PopupPanel::kCloseButtonSize;
    CreateChild(dialog, L"BUTTON", BS_OWNERDRAW, {width - size - 1, 1, width - 1, 1 + size},
                PopupPanel::kCloseButtonId);
  }
  if (!HasEtchedLine(dialog)) {
    CreateChild(dialog, L"STATIC", SS_ETCHEDHORZ, {0, contentHeight + kLineTop, width, contentHeight + kLineTop + 2},
                -1);
  }
  if (!addCheck) return nullptr;
  auto check = std::make_unique<CButtonTEx>();
  const RECT rect = {kCheckLeft, contentHeight + kCheckTop, width - kCheckRightGap, contentHeight + kCheckBottom};
  if (!check->Create(dialog, PopupPanel::kCheckButtonId, LoadResourceString(IDS_PANEL_CHECK), rect,
                     CButtonTEx::kDefaultStyle | WS_TABSTOP)) {
    return nullptr;
  }
  ::SendMessageW(check->Handle(), WM_SETFONT, ::SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return check;
}

void DrawCloseButton(const DRAWITEMSTRUCT& item) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillSolid(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNFACE));
  DrawBevel(item.hDC, item.rcItem, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW), pressed);
  common::UniquePen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT)));
  common::SelectionGuard selected(item.hDC, pen.get());
  const int shift = pressed ? 1 : 0;
  const RECT& r = item.rcItem;
  const int left = r.left + kCrossInset + shift, top = r.top + kCrossInset + shift;
  const int right = r.right - kCrossInset + shift, bottom = r.bottom - kCrossInset + shift;
  ::MoveToEx(item.hDC, left, top, nullptr);
  ::LineTo(item.hDC, right, bottom);
  ::MoveToEx(item.hDC, right - 1, top, nullptr);
  ::LineTo(item.hDC, left - 1, bottom);
}

}  // namespace portal::controls
