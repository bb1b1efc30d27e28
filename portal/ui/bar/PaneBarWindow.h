// The bar's window: a CStatusBarEx, child 100 of the control's window,
// placed under the preview (x 0, y = preview height + 3, the preview's
// width, its natural height + 20); the control's window grows to hold it
// and shrinks back when it goes. Pane clicks go to a handler (the bar's
// logic); pictures of a pane are bitmaps of the resource module drawn as
// the pane's icon.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "common/UniqueHandle.h"
#include "core/WindowView.h"
#include "core/session/ConnectionState.h"
#include "ui/bar/BarSurface.h"
#include "ui/bar/PaneBar.h"
#include "ui/controls/StatusBarEx.h"

namespace portal {

class PaneBarWindow final : public BarSurface, private controls::CStatusBarEx::Owner {
 public:
  static constexpr int kBarId = kPaneBarId;
  static constexpr int kGapAbovePreview = 3;  // between preview and bar
  static constexpr int kExtraHeight = 20;     // added to the bar's natural height
  static constexpr int kLevelPaneWidth = 28;  // a 16-pixel picture with its padding

  using ClickHandler = std::function<void(const controls::PaneRecord&, UINT message, const RECT& screenRect)>;

  PaneBarWindow(WindowView& view, const PreviewSettings& preview) : view_(view), preview_(preview) {}
  ~PaneBarWindow();
  PaneBarWindow(const PaneBarWindow&) = delete;
  PaneBarWindow& operator=(const PaneBarWindow&) = delete;

  void SetClickHandler(ClickHandler handler) { onClick_ = std::move(handler); }
  // The width of a pane whose owner supplies it (the bar asks the
  // control's window).
  int OwnerPaneWidth(WPARAM code) const;
  // Places the bar under the preview again (the preview's size changed).
  void Place();
  HWND Handle() const { return bar_ ? bar_->Handle() : nullptr; }

  // BarSurface
  bool Exists() const override { return Handle() != nullptr; }
  bool Build(const std::vector<controls::PaneRecord>& panes) override;
  void Destroy() override;
  void SetText(LONG pane, const std::wstring& text) override;
  void SetTooltip(LONG pane, const std::wstring& text) override;
  void SetIcon(LONG pane, UINT iconId) override;
  void SetPicture(LONG pane, UINT bitmapId) override;
  void UseSkinSettingsIcon(LONG pane) override;
  void Enable(LONG pane, bool enable) override;
  void Blink(LONG pane, UINT periodMs) override;
  void StopBlinking() override;
  void Repaint() override;
  bool PaneScreenRect(LONG pane, RECT* rect) const override;

 private:
  void OnPaneMouse(controls::CStatusBarEx& bar, const controls::PaneRecord& pane, UINT message, POINT point) override;
  // Shows the pane's picture when it has one, else its icon.
  void ShowPaneImage(LONG pane);
  // Sizes the control's window so that its client area is width x height.
  void SizeControlWindow(int width, int height);

  WindowView& view_;
  const PreviewSettings& preview_;
  std::unique_ptr<controls::CStatusBarEx> bar_;
  int naturalHeight_ = 0;
  ClickHandler onClick_;
  std::map<LONG, UINT> icons_;     // icon ids the logic gave
  std::map<LONG, UINT> pictures_;  // bitmap ids the logic gave
};

}  // namespace portal
