// The control's pane bar without its window: which configuration it is
// built in, what its panes say, which buttons may be used, the blinking
// status pane while a movie records, the clicks it passes to the control
// (with repeats dropped), and the status indicators of a camera that has
// them. The window is a BarSurface; time comes from a clock so that the
// repeat filter can be tested.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>
#include <string>

#include "core/WindowView.h"
#include "core/messages/StatusTimer.h"
#include "core/session/CameraSession.h"
#include "ui/bar/BarSurface.h"
#include "ui/bar/BarTables.h"
#include "ui/bar/PaneBar.h"
#include "ui/menus/PopupMenu.h"

namespace portal {

class PortalPaneBar final : public PaneBar {
 public:
  static constexpr UINT kBlinkPeriodMs = 500;

  struct Parts {
    CameraSession& session;
    WindowView& view;
    PopupMenu& menus;
    BarSurface& surface;
    StatusTimer& timer;
    std::function<DWORD()> clock;                // milliseconds; GetTickCount when empty
    std::function<std::wstring(UINT)> strings;   // resource strings; LoadResourceString when empty
  };
  explicit PortalPaneBar(const Parts& parts);

  // PaneBar
  bool Exists() const override { return surface_.Exists(); }
  void Create() override;
  void Destroy() override;
  bool SetStatusText(const std::wstring& text) override;
  void Rebuild() override;
  void Refresh() override;
  void Redraw() override { Refresh(); }
  void ShowMotionNotice(WPARAM kind) override;
  void ResetAfterCameraLoss() override;
  void ShowPaused(bool paused) override;
  bool UpdateIndicators() override { return Indicators(false); }
  void ToggleMode() override;
  void OpenValueMenu() override;
  void ShowRecording(bool recording) override;
  void ShowRecordingEnded() override;
  void EnablePane(UINT pane, bool enable) override;
  bool PaneScreenRect(UINT pane, RECT* rect) const override;

  // The control's window now exists: a wanted bar is built.
  void WindowCreated();
  // A mouse message on a pane (screen rectangle of the pane): its code
  // goes to the control's window, unless it repeats the last one sent for
  // that pane within kPaneRepeatWindowMs.
  void OnPaneMouse(const controls::PaneRecord& pane, UINT message, const RECT& screenRect);

  bool Wanted() const { return wanted_; }
  BarState State() const { return state_; }

 private:
  void Build();
  BarState ChooseState();
  void ShowStatus(UINT text, bool blinking);
  // Reads the indicators; forced shows every one of them.
  bool Indicators(bool forced);
  std::wstring Text(UINT id) const { return strings_(id); }

  CameraSession& session_;
  WindowView& view_;
  PopupMenu& menus_;
  BarSurface& surface_;
  StatusTimer& timer_;
  std::function<DWORD()> clock_;
  std::function<std::wstring(UINT)> strings_;

  bool wanted_ = false;
  BarState state_ = kBarNone;
  bool recordingLocal_ = false;  // this control's movie records
  bool blinking_ = false;
  static constexpr UINT kOwnText = ~0u;  // a client's text or an engine notice
  UINT statusText_ = 0;  // the string the status pane shows

  // When each (pane, mouse message) was last passed on.
  std::map<std::pair<LONG, UINT>, DWORD> lastSent_;
  RECT clickRect_ = {};  // lParam of the posted click: lives as long as the bar

  // The indicators as last shown; known is false until first read.
  struct Indicator {
    bool known = false;
    LONG value = 0;
  };
  Indicator switch_, level_, mode_, value_;
};

}  // namespace portal
