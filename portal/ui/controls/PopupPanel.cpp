// The popup panel's modal dialog: decorations, placement, slide-out,
// cursor following and dismissal.
#include "ui/controls/PopupPanel.h"

#include <windowsx.h>

#include <mmsystem.h>

#include "ui/controls/ButtonTEx.h"
#include "ui/controls/PanelDecorations.h"

namespace portal::controls {
namespace {

// Posted to the panel from WM_INITDIALOG: the slide runs once the dialog
// is fully made.
constexpr UINT kStartSlide = WM_APP + 0x499;

class SystemEnvironment final : public PanelEnvironment {
 public:
  RECT WorkArea() override {
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }
  void PlaySystemSound(const wchar_t* alias) override {
    ::PlaySoundW(alias, nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
  }
  void Pause(DWORD ms) override { ::Sleep(ms); }
};

SIZE WindowSize(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

PanelEnvironment& SystemPanelEnvironment() {
  static SystemEnvironment environment;
  return environment;
}

PopupPanel::PopupPanel(HMODULE module, UINT templateId, PanelSide preferred)
    : module_(module), templateId_(templateId), preferred_(preferred), environment_(&SystemPanelEnvironment()) {}

PopupPanel::~PopupPanel() = default;

void PopupPanel::SetEnvironment(PanelEnvironment* environment) {
  environment_ = environment ? environment : &SystemPanelEnvironment();
}

INT_PTR PopupPanel::Run(HWND anchor, HWND owner) {
  if (dialog_) return 0;
  anchor_ = anchor;
  leftUpPassed_ = rightUpPassed_ = trackingLeave_ = false;
  const INT_PTR result = ::DialogBoxParamW(module_, MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  dialog_ = nullptr;
  checkButton_.reset();
  content_.clear();
  if (handler_) handler_->OnPanelClosed(*this, result);
  return result;
}

void PopupPanel::Close(INT_PTR result) {
  if (dialog_) ::EndDialog(dialog_, result);
}

INT_PTR CALLBACK PopupPanel::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PopupPanel*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<PopupPanel*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
  }
  if (!self || self->dialog_ != dialog) return FALSE;
  return self->HandleMessage(message, wParam, lParam);
}

INT_PTR PopupPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is taken once the panel is out
    case kStartSlide:
      SlideOut();
      return TRUE;
    case WM_TIMER:
      if (wParam != kFollowTimer) return FALSE;
      FollowCursor();
      return TRUE;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      FollowCursor();
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return OnButtonDown(lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      PassButtonUp(message, wParam, lParam);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != static_cast<UINT>(kCloseButtonId)) return FALSE;
      DrawCloseButton(*item);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == kCheckButtonId || id == kCloseButtonId) {
        Close(id);
      } else if (handler_) {
        handler_->OnPanelCommand(*this, dialog_, id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return TRUE;
    }
    case WM_CLOSE:
      Close(kCloseButtonId);
      return TRUE;
    case WM_DESTROY:
      ::KillTimer(dialog_, kFollowTimer);
      if (::GetCapture() == dialog_) ::ReleaseCapture();
      return FALSE;
  }
  return FALSE;
}

void PopupPanel::OnInitDialog() {
  if (handler_) handler_->OnPanelInit(*this, dialog_);
  checkButton_ = AddPanelDecorations(dialog_);
  size_ = WindowSize(dialog_);
  RECT anchor = {};
  ::GetWindowRect(anchor_, &anchor);
  placement_ = PlacePanel(anchor, size_, preferred_, environment_->WorkArea());
  content_.clear();
  for (HWND child = ::GetWindow(dialog_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    content_.push_back({child, {rect.left, rect.top}});
  }
  // Hidden until it slides out.
  ::SetWindowLongW(dialog_, GWL_STYLE, ::GetWindowLongW(dialog_, GWL_STYLE) & ~WS_VISIBLE);
  ::PostMessageW(dialog_, kStartSlide, 0, 0);
}

void PopupPanel::MoveContent(int dx, int dy) {
  HDWP positions = ::BeginDeferWindowPos(static_cast<int>(content_.size()));
  for (const ChildPlace& place : content_) {
    if (!positions) break;
    positions = ::DeferWindowPos(positions, place.child, nullptr, place.home.x + dx, place.home.y + dy, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (positions) ::EndDeferWindowPos(positions);
}

void PopupPanel::SlideOut() {
  environment_->PlaySystemSound(kPopupSound);
  const bool across = placement_.side == PanelSide::Right;
  const int full = across ? size_.cx : size_.cy;
  for (const int extent : SlideExtents(full)) {
    const int hidden = full - extent;
    // The content travels with the edge that leads out of the anchor.
    int x = placement_.topLeft.x, y = placement_.topLeft.y, width = size_.cx, height = size_.cy;
    switch (placement_.side) {
      case PanelSide::Right:
        width = extent;
        MoveContent(-hidden, 0);
        break;
      case PanelSide::Below:
        height = extent;
        MoveContent(0, -hidden);
        break;
      case PanelSide::Above:
        y += hidden;
        height = extent;
        break;
    }
    ::SetWindowPos(dialog_, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    environment_->Pause(kSlidePauseMs);
  }
  ::SetFocus(dialog_);
  ::SetTimer(dialog_, kFollowTimer, kFollowPeriodMs, nullptr);
  FollowCursor();
}

void PopupPanel::FollowCursor() {
  POINT cursor;
  RECT panel;
  if (!::GetCursorPos(&cursor) || !::GetWindowRect(dialog_, &panel)) return;
  if (!::PtInRect(&panel, cursor)) {
    if (::GetCapture() != dialog_) ::SetCapture(dialog_);
    return;
  }
  // Inside, the panel's own controls get the mouse.
  if (::GetCapture() == dialog_) ::ReleaseCapture();
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, dialog_, 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
}

bool PopupPanel::OnButtonDown(LPARAM lParam) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT client;
  ::GetClientRect(dialog_, &client);
  if (::PtInRect(&client, point)) return false;
  Close(kDismissed);
  return true;
}

void PopupPanel::PassButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
  bool& passed = message == WM_LBUTTONUP ? leftUpPassed_ : rightUpPassed_;
  if (passed || !anchor_ || !::IsWindow(anchor_)) return;
  passed = true;
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::MapWindowPoints(dialog_, anchor_, &point, 1);
  ::SendMessageW(anchor_, message, wParam, MAKELPARAM(point.x, point.y));
}

}  // namespace portal::controls
