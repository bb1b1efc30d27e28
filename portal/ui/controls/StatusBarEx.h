// CStatusBarEx: the bar of panes under the preview, a superclass of the
// system status bar. The owner describes the panes with PaneRecords; the
// bar shows their texts, icons and tooltips, lets button panes be pressed,
// blinks a pane on a timer, and reports mouse presses on its panes to its
// Owner.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/UniqueHandle.h"
#include "ui/controls/ControlWindow.h"
#include "ui/controls/StatusBarPanes.h"

namespace portal::controls {

class CStatusBarEx : public ControlWindow {
 public:
  static constexpr wchar_t kClassName[] = L"Tovra2StatusBarEx";
  static constexpr UINT_PTR kBlinkTimer = 2554;
  static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_TOOLTIPS;

  class Owner {
   public:
    // A left-button-down or right-button-down on an enabled pane, or a
    // left-button-up on the pane where the button went down; point in the
    // bar's client coordinates.
    virtual void OnPaneMouse(CStatusBarEx& bar, const PaneRecord& pane, UINT message, POINT point) = 0;

   protected:
    ~Owner() = default;
  };

  CStatusBarEx();
  ~CStatusBarEx() override;

  // The bar as a child of parent. Pane icons come from iconModule (the
  // resource module when nullptr); owner may be nullptr.
  bool Create(HWND parent, int id, Owner* owner, DWORD style = kDefaultStyle, HMODULE iconModule = nullptr);

  // Replaces all panes, their icons and texts; the number of panes.
  int SetPanes(const PaneRecord* panes, int count);
  int PaneCount() const { return static_cast<int>(panes_.size()); }
  const PaneRecord* Pane(LONG id) const;

  // Each returns false for an unknown pane id. Texts are re-measured.
  bool SetPaneText(LONG id, const std::wstring& text);
  bool SetPaneTooltip(LONG id, const std::wstring& text);
  // The bar owns the icon; nullptr removes it.
  bool SetPaneIcon(LONG id, common::UniqueIcon icon);
  bool EnablePane(LONG id, bool enabled);
  bool PaneEnabled(LONG id) const;
  std::wstring PaneText(LONG id) const;
  // The pane's rectangle in screen coordinates.
  bool PaneScreenRect(LONG id, RECT* rect) const;

  // Toggles the pane between shown and blank every periodMs (mode
  // kBlinkText and/or kBlinkIcon); count blinks, kBlinkForever until
  // StopBlinking. One pane blinks at a time.
  bool BlinkPane(LONG id, int count, int mode, UINT periodMs);
  // Kills the timer and shows the pane's text and icon again.
  void StopBlinking();
  bool Blinking() const { return blinker_.Active(); }

  // Lays the panes out again (after the bar's or a pane's size changed).
  void Relayout();

  // The colour a pressed holding pane is filled with.
  COLORREF PressedColor() const;
  HFONT Font() const { return font_.get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct PaneState {
    PaneRecord record;
    std::wstring text;
    std::wstring tooltip;
    common::UniqueIcon icon;
    bool enabled = true;
    bool shownPressed = false;
  };
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  int IndexOf(LONG id) const;
  int PaneAt(POINT point) const;
  void ShowPane(int index);
  void ApplyPress(const PressAction& action, POINT point);
  void Notify(int index, UINT message, POINT point);
  void OnTimer();
  void OnPaint();
  void PaintOverlay(HDC dc, int index);
  void TrackLeave();

  Owner* owner_ = nullptr;
  HMODULE iconModule_ = nullptr;
  std::vector<PaneState> panes_;
  PaneBlinker blinker_;
  PanePressTracker press_;
  common::UniqueFont font_;
  unsigned panesGeneration_ = 0;  // counts SetPanes calls
  bool trackingLeave_ = false;
};

}  // namespace portal::controls
