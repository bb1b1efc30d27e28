// The pane bar's window: panes on the system status bar, pressing,
// blinking and the pressed-pane overlay.
#include "ui/controls/StatusBarEx.h"

#include <windowsx.h>

#include "server/ModuleState.h"
#include "ui/controls/ButtonFace.h"
#include "ui/controls/ControlMessages.h"
#include "ui/controls/StatusBarLook.h"

namespace portal::controls {
namespace {

constexpr int kPaneIconSize = 16;
constexpr int kOverlayInset = 1;  // the pane's own border stays visible
constexpr int kOverlayPadding = 2;

WNDPROC g_statusBarProc = nullptr;

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

CStatusBarEx::CStatusBarEx() = default;

CStatusBarEx::~CStatusBarEx() { DestroyControl(); }

LRESULT CALLBACK CStatusBarEx::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hwnd, message, wParam, lParam, g_statusBarProc);
}

bool CStatusBarEx::Create(HWND parent, int id, Owner* owner, DWORD style, HMODULE iconModule) {
  if (!EnsureSuperclass(STATUSCLASSNAMEW, kClassName, WindowProc, &g_statusBarProc)) return false;
  owner_ = owner;
  iconModule_ = iconModule ? iconModule : ModuleState::ResourceModule();
  if (!CreateControl(0, kClassName, L"", style, {0, 0, 0, 0}, parent, id, g_statusBarProc)) return false;
  const LOGFONTW font = BarFont(SystemStatusFont());
  font_.reset(::CreateFontIndirectW(&font));
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return true;
}

int CStatusBarEx::SetPanes(const PaneRecord* panes, int count) {
  StopBlinking();
  press_.Reset();
  ++panesGeneration_;
  panes_.clear();
  for (int i = 0; i < count && panes; ++i) {
    PaneState pane;
    pane.record = panes[i];
    if (pane.record.iconId && iconModule_) {
      pane.icon.reset(static_cast<HICON>(::LoadImageW(iconModule_, MAKEINTRESOURCEW(pane.record.iconId), IMAGE_ICON,
                                                      kPaneIconSize, kPaneIconSize, 0)));
    }
    panes_.push_back(std::move(pane));
  }
  Relayout();
  for (int i = 0; i < PaneCount(); ++i) ShowPane(i);
  return PaneCount();
}

int CStatusBarEx::IndexOf(LONG id) const {
  for (int i = 0; i < PaneCount(); ++i) {
    if (panes_[i].record.id == id) return i;
  }
  return -1;
}

const PaneRecord* CStatusBarEx::Pane(LONG id) const {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &panes_[index].record;
}

bool CStatusBarEx::SetPaneText(LONG id, const std::wstring& text) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  panes_[index].text = text;
  Relayout();
  ShowPane(index);
  return true;
}

bool CStatusBarEx::SetPaneTooltip(LONG id, const std::wstring& text) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  panes_[index].tooltip = text;
  ShowPane(index);
  return true;
}

bool CStatusBarEx::SetPaneIcon(LONG id, common::UniqueIcon icon) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  // The bar lets go of the old icon before it is destroyed.
  ::SendMessageW(Handle(), SB_SETICON, index, 0);
  panes_[index].icon = std::move(icon);
  Relayout();
  ShowPane(index);
  return true;
}

bool CStatusBarEx::EnablePane(LONG id, bool enabled) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  if (panes_[index].enabled != enabled) {
    panes_[index].enabled = enabled;
    ShowPane(index);
  }
  return true;
}

bool CStatusBarEx::PaneEnabled(LONG id) const {
  const int index = IndexOf(id);
  return index >= 0 && panes_[index].enabled;
}

std::wstring CStatusBarEx::PaneText(LONG id) const {
  const int index = IndexOf(id);
  return index < 0 ? std::wstring() : panes_[index].text;
}

bool CStatusBarEx::PaneScreenRect(LONG id, RECT* rect) const {
  const int index = IndexOf(id);
  if (index < 0 || !::SendMessageW(Handle(), SB_GETRECT, index, reinterpret_cast<LPARAM>(rect))) return false;
  ::MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

bool CStatusBarEx::BlinkPane(LONG id, int count, int mode, UINT periodMs) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  StopBlinking();
  blinker_.Start(index, count, mode);
  if (blinker_.Active()) ::SetTimer(Handle(), kBlinkTimer, periodMs, nullptr);
  return true;
}

void CStatusBarEx::StopBlinking() {
  if (Handle()) ::KillTimer(Handle(), kBlinkTimer);
  const int index = blinker_.Pane();
  blinker_.Stop();
  if (index >= 0 && index < PaneCount()) ShowPane(index);
}

void CStatusBarEx::OnTimer() {
  const int index = blinker_.Pane();
  if (!blinker_.Tick()) ::KillTimer(Handle(), kBlinkTimer);
  if (index >= 0 && index < PaneCount()) ShowPane(index);
}

COLORREF CStatusBarEx::PressedColor() const {
  return PressedPaneColor(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_ACTIVECAPTION));
}

void CStatusBarEx::Relayout() {
  if (!Handle() || panes_.empty()) return;
  std::vector<PaneMeasure> measures;
  {
    common::WindowDc dc(Handle());
    common::SelectionGuard font(dc.get(), font_.get());
    for (const PaneState& pane : panes_) {
      PaneMeasure measure;
      measure.kind = pane.record.kind;
      measure.hasIcon = pane.icon.valid();
      SIZE extent = {};
      if (!pane.text.empty() &&
          ::GetTextExtentPoint32W(dc.get(), pane.text.c_str(), static_cast<int>(pane.text.size()), &extent)) {
        measure.textWidth = extent.cx;
      }
      if (pane.record.kind == kOwnerWidthPane) {
        measure.ownerWidth = static_cast<int>(
            ::SendMessageW(::GetParent(Handle()), kPaneWidthQuery, static_cast<WPARAM>(pane.record.code), 0));
      }
      measures.push_back(measure);
    }
  }
  RECT client;
  ::GetClientRect(Handle(), &client);
  const std::vector<int> edges = PaneRightEdges(measures, client.right);
  ::SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBarEx::ShowPane(int index) {
  const PaneState& pane = panes_[index];
  const bool blinking = blinker_.Pane() == index;
  const std::wstring& text = blinking && blinker_.TextBlank() ? std::wstring() : pane.text;
  const HICON icon = blinking && blinker_.IconBlank() ? nullptr : pane.icon.get();
  UINT look = 0;
  if (pane.record.kind == kMainTextPane) {
    look = SBT_NOBORDERS;
  } else if ((IsButtonPane(pane.record.kind) || IsHoldingPane(pane.record.kind)) && !pane.shownPressed) {
    look = SBT_POPOUT;
  }
  ::SendMessageW(Handle(), SB_SETTEXTW, index | look, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageW(Handle(), SB_SETICON, index, reinterpret_cast<LPARAM>(icon));
  ::SendMessageW(Handle(), SB_SETTIPTEXTW, index, reinterpret_cast<LPARAM>(pane.tooltip.c_str()));
  RECT rect;
  if (::SendMessageW(Handle(), SB_GETRECT, index, reinterpret_cast<LPARAM>(&rect))) {
    ::InvalidateRect(Handle(), &rect, TRUE);
  }
}

int CStatusBarEx::PaneAt(POINT point) const {
  for (int i = 0; i < PaneCount(); ++i) {
    RECT rect;
    if (::SendMessageW(Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&rect)) && ::PtInRect(&rect, point)) {
      return i;
    }
  }
  return -1;
}

void CStatusBarEx::Notify(int index, UINT message, POINT point) {
  if (!owner_ || index < 0 || index >= PaneCount()) return;
  const PaneRecord record = panes_[index].record;  // the owner may replace the panes
  owner_->OnPaneMouse(*this, record, message, point);
}

void CStatusBarEx::ApplyPress(const PressAction& action, POINT point) {
  if (action.pane < 0 || action.pane >= PaneCount()) return;
  if (action.look != PressAction::Look::Unchanged) {
    panes_[action.pane].shownPressed = action.look == PressAction::Look::Pressed;
    ShowPane(action.pane);
    ::UpdateWindow(Handle());
  }
  if (!action.notify) return;
  const auto alive = AliveToken();
  const unsigned generation = panesGeneration_;
  Notify(action.pane, action.notify, point);
  if (!*alive || !Handle() || panesGeneration_ != generation) return;
  if (action.raiseAfterNotify && action.pane < PaneCount()) {
    panes_[action.pane].shownPressed = false;
    ShowPane(action.pane);
  }
}

void CStatusBarEx::TrackLeave() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
  trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
}

void CStatusBarEx::PaintOverlay(HDC dc, int index) {
  const PaneState& pane = panes_[index];
  RECT rect;
  if (!::SendMessageW(Handle(), SB_GETRECT, index, reinterpret_cast<LPARAM>(&rect))) return;
  ::InflateRect(&rect, -kOverlayInset, -kOverlayInset);
  FillSolid(dc, rect, pane.shownPressed ? PressedColor() : ::GetSysColor(COLOR_BTNFACE));
  const bool blinking = blinker_.Pane() == index;
  int x = rect.left + kOverlayPadding + (pane.shownPressed ? 1 : 0);
  const int shift = pane.shownPressed ? 1 : 0;
  if (pane.icon && !(blinking && blinker_.IconBlank())) {
    const int y = rect.top + (rect.bottom - rect.top - kPaneIconSize) / 2 + shift;
    const UINT state = pane.enabled ? DSS_NORMAL : DSS_DISABLED;
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(pane.icon.get()), 0, x, y, kPaneIconSize,
                 kPaneIconSize, DST_ICON | state);
    x += kPaneIconSize + kOverlayPadding;
  }
  if (pane.text.empty() || (blinking && blinker_.TextBlank())) return;
  common::SelectionGuard font(dc, font_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(pane.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT textRect = {x, rect.top + shift, rect.right, rect.bottom + shift};
  ::DrawTextW(dc, pane.text.c_str(), static_cast<int>(pane.text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CStatusBarEx::OnPaint() {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(Handle(), &ps);
  CallDefault(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  for (int i = 0; i < PaneCount(); ++i) {
    if (panes_[i].shownPressed || !panes_[i].enabled) PaintOverlay(dc, i);
  }
  ::EndPaint(Handle(), &ps);
}

LRESULT CStatusBarEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Mouse presses reach the owner, which may destroy the bar.
  const auto alive = AliveToken();
  switch (message) {
    case WM_PAINT:
      if (wParam) break;  // painting into a given DC (printing) stays the system's
      OnPaint();
      return 0;
    case WM_TIMER:
      if (wParam != kBlinkTimer) break;
      OnTimer();
      return 0;
    case WM_SIZE: {
      const LRESULT result = CallDefault(message, wParam, lParam);
      Relayout();
      return result;
    }
    case WM_LBUTTONDOWN: {
      const int pane = PaneAt(PointOf(lParam));
      const bool enabled = pane >= 0 && panes_[pane].enabled;
      ApplyPress(press_.LeftDown(pane, pane >= 0 ? panes_[pane].record.kind : 0, enabled), PointOf(lParam));
      break;
    }
    case WM_LBUTTONUP:
      ApplyPress(press_.LeftUp(PaneAt(PointOf(lParam))), PointOf(lParam));
      break;
    case WM_RBUTTONDOWN: {
      const int pane = PaneAt(PointOf(lParam));
      ApplyPress(press_.RightDown(pane, pane >= 0 && panes_[pane].enabled), PointOf(lParam));
      break;
    }
    case WM_MOUSEMOVE:
      TrackLeave();
      ApplyPress(press_.Move(PaneAt(PointOf(lParam)), (wParam & MK_LBUTTON) != 0), PointOf(lParam));
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      ApplyPress(press_.Leave(), {-1, -1});
      break;
    case WM_DESTROY:
      ::KillTimer(Handle(), kBlinkTimer);
      break;
  }
  if (!*alive || !Handle()) return 0;
  return CallDefault(message, wParam, lParam);
}

}  // namespace portal::controls
