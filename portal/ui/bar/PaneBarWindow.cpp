// The bar's window under the preview.
#include "ui/bar/PaneBarWindow.h"

#include <commctrl.h>

#include "server/ModuleState.h"
#include "ui/OemDefinitions.h"

namespace portal {
namespace {

constexpr int kPaneImageSize = 16;

// Created without CCS_NORESIZE, the system bar takes its natural height
// for its font; from then on the control places it.
constexpr DWORD kCreateStyle = WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS | CCS_NODIVIDER | CCS_BOTTOM;
constexpr DWORD kPlacedStyle = kCreateStyle | CCS_NOPARENTALIGN | CCS_NORESIZE;

// A bitmap drawn as an opaque icon, so that the pane shows it like any icon.
common::UniqueIcon IconOfBitmap(UINT bitmapId) {
  const HMODULE resources = ModuleState::ResourceModule();
  if (!resources) return common::UniqueIcon();
  common::UniqueBitmap color(static_cast<HBITMAP>(
      ::LoadImageW(resources, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, kPaneImageSize, kPaneImageSize, 0)));
  if (!color) return common::UniqueIcon();
  const std::vector<BYTE> zeros(kPaneImageSize * kPaneImageSize / 8, 0);
  common::UniqueBitmap mask(::CreateBitmap(kPaneImageSize, kPaneImageSize, 1, 1, zeros.data()));
  ICONINFO info = {TRUE, 0, 0, mask.get(), color.get()};
  return common::UniqueIcon(::CreateIconIndirect(&info));
}

common::UniqueIcon ResourceIcon(UINT iconId) {
  const HMODULE resources = ModuleState::ResourceModule();
  if (!resources || !iconId) return common::UniqueIcon();
  return common::UniqueIcon(static_cast<HICON>(
      ::LoadImageW(resources, MAKEINTRESOURCEW(iconId), IMAGE_ICON, kPaneImageSize, kPaneImageSize, 0)));
}

}  // namespace

PaneBarWindow::~PaneBarWindow() { bar_.reset(); }

bool PaneBarWindow::Build(const std::vector<controls::PaneRecord>& panes) {
  if (bar_) Destroy();
  const HWND parent = view_.Window();
  if (!parent) return false;
  auto bar = std::make_unique<controls::CStatusBarEx>();
  if (!bar->Create(parent, kBarId, this, kCreateStyle)) return false;
  RECT natural = {};
  ::GetWindowRect(bar->Handle(), &natural);
  naturalHeight_ = natural.bottom - natural.top;
  ::SetWindowLongW(bar->Handle(), GWL_STYLE, kPlacedStyle);
  bar_ = std::move(bar);
  icons_.clear();
  pictures_.clear();
  for (const controls::PaneRecord& pane : panes) icons_[pane.id] = static_cast<UINT>(pane.iconId);
  Place();
  bar_->SetPanes(panes.data(), static_cast<int>(panes.size()));
  // The bar's own sizing may have touched its siblings; the preview keeps
  // its size.
  if (const HWND preview = view_.PreviewArea()) {
    ::SetWindowPos(preview, nullptr, 0, 0, preview_.width, preview_.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void PaneBarWindow::Place() {
  if (!bar_) return;
  const int top = preview_.height + kGapAbovePreview;
  const int height = naturalHeight_ + kExtraHeight;
  SizeControlWindow(preview_.width, top + height);
  ::SetWindowPos(bar_->Handle(), nullptr, 0, top, preview_.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaneBarWindow::Destroy() {
  if (!bar_) return;
  ::ShowWindow(bar_->Handle(), SW_HIDE);
  bar_.reset();
  SizeControlWindow(preview_.width, preview_.height);
  if (const HWND preview = view_.PreviewArea()) {
    ::SetWindowPos(preview, nullptr, 0, 0, preview_.width, preview_.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void PaneBarWindow::SizeControlWindow(int width, int height) {
  const HWND window = view_.Window();
  if (!window) return;
  RECT outer = {}, client = {};
  ::GetWindowRect(window, &outer);
  ::GetClientRect(window, &client);
  const int frameX = (outer.right - outer.left) - client.right;
  const int frameY = (outer.bottom - outer.top) - client.bottom;
  ::SetWindowPos(window, nullptr, 0, 0, width + frameX, height + frameY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int PaneBarWindow::OwnerPaneWidth(WPARAM) const { return kLevelPaneWidth; }

void PaneBarWindow::SetText(LONG pane, const std::wstring& text) {
  if (bar_) bar_->SetPaneText(pane, text);
}

void PaneBarWindow::SetTooltip(LONG pane, const std::wstring& text) {
  if (bar_) bar_->SetPaneTooltip(pane, text);
}

void PaneBarWindow::SetIcon(LONG pane, UINT iconId) {
  if (!bar_ || !bar_->Pane(pane)) return;
  icons_[pane] = iconId;
  ShowPaneImage(pane);
}

void PaneBarWindow::SetPicture(LONG pane, UINT bitmapId) {
  if (!bar_ || !bar_->Pane(pane)) return;
  pictures_[pane] = bitmapId;
  ShowPaneImage(pane);
}

void PaneBarWindow::ShowPaneImage(LONG pane) {
  const UINT picture = pictures_.count(pane) ? pictures_[pane] : 0;
  bar_->SetPaneIcon(pane, picture ? IconOfBitmap(picture) : ResourceIcon(icons_[pane]));
}

void PaneBarWindow::UseSkinSettingsIcon(LONG pane) {
  if (!bar_) return;
  common::UniqueIcon skinned = skin::LoadVideoSettingsIcon(ModuleState::Instance());
  if (!skinned) return;
  common::UniqueIcon small(
      static_cast<HICON>(::CopyImage(skinned.get(), IMAGE_ICON, kPaneImageSize, kPaneImageSize, 0)));
  if (small) bar_->SetPaneIcon(pane, std::move(small));
}

void PaneBarWindow::Enable(LONG pane, bool enable) {
  if (bar_) bar_->EnablePane(pane, enable);
}

void PaneBarWindow::Blink(LONG pane, UINT periodMs) {
  if (bar_) bar_->BlinkPane(pane, controls::kBlinkForever, controls::kBlinkText, periodMs);
}

void PaneBarWindow::StopBlinking() {
  if (bar_) bar_->StopBlinking();
}

void PaneBarWindow::Repaint() {
  if (bar_) ::InvalidateRect(bar_->Handle(), nullptr, TRUE);
}

bool PaneBarWindow::PaneScreenRect(LONG pane, RECT* rect) const { return bar_ && bar_->PaneScreenRect(pane, rect); }

void PaneBarWindow::OnPaneMouse(controls::CStatusBarEx& bar, const controls::PaneRecord& pane, UINT message, POINT) {
  RECT rect = {};
  bar.PaneScreenRect(pane.id, &rect);
  if (onClick_) onClick_(pane, message, rect);
}

}  // namespace portal
