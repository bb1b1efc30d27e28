// The control's pane bar (status bar) with its status indicators, as the
// rest of the control uses it; PortalPaneBar is the control's. NoPaneBar,
// for tests of its users, has no bar: nothing is shown and nothing changes.
#pragma once

#include <windows.h>

#include <string>

namespace portal {

// The bar's window: this child of the control's window.
inline constexpr int kPaneBarId = 100;

// Panes other components address.
inline constexpr UINT kPaneResolutionButton = 113;
inline constexpr UINT kPaneCameraButton = 115;

// A press of a pane within this time of the last one passed on for that
// pane is dropped once (a bouncing button).
inline constexpr DWORD kPaneRepeatWindowMs = 500;

class PaneBar {
 public:
  virtual bool Exists() const = 0;
  // EnableUIElements(kElementStatusBar): create the bar if there is none,
  // or hide and destroy it.
  virtual void Create() = 0;
  virtual void Destroy() = 0;
  // The status pane's text and tooltip; false without a bar.
  virtual bool SetStatusText(const std::wstring& text) = 0;
  // The element flags that shape the bar changed: the bar is built again
  // when its configuration changed.
  virtual void Rebuild() = 0;
  // Shows the camera's format, the recording state and which buttons may
  // be used now.
  virtual void Refresh() = 0;
  // The same after a report that the bar may be out of date.
  virtual void Redraw() = 0;
  // A status notice of a motion report (engine::MotionReportKind).
  virtual void ShowMotionNotice(WPARAM kind) = 0;
  // The camera went away: stop the bar's own timer, reset its panes.
  virtual void ResetAfterCameraLoss() = 0;
  // The engine paused or resumed the picture.
  virtual void ShowPaused(bool paused) = 0;
  // Reads the status indicators from the engine; true when one changed
  // (the caller redraws).
  virtual bool UpdateIndicators() = 0;
  // Clicks on the mode pane and the value pane.
  virtual void ToggleMode() = 0;
  virtual void OpenValueMenu() = 0;
  // This control's movie recording started or stopped.
  virtual void ShowRecording(bool recording) = 0;
  // The engine ended the recording itself: the status pane says so
  // (string 116).
  virtual void ShowRecordingEnded() = 0;
  // A button pane's enabled state; nothing without a bar.
  virtual void EnablePane(UINT pane, bool enable) = 0;
  // The pane's rectangle in screen coordinates, where its menu opens;
  // false without a bar or without that pane.
  virtual bool PaneScreenRect(UINT pane, RECT* rect) const = 0;

 protected:
  ~PaneBar() = default;
};

class NoPaneBar : public PaneBar {
 public:
  bool Exists() const override { return false; }
  void Create() override {}
  void Destroy() override {}
  bool SetStatusText(const std::wstring&) override { return false; }
  void Rebuild() override {}
  void Refresh() override {}
  void Redraw() override {}
  void ShowMotionNotice(WPARAM) override {}
  void ResetAfterCameraLoss() override {}
  void ShowPaused(bool) override {}
  bool UpdateIndicators() override { return false; }
  void ToggleMode() override {}
  void OpenValueMenu() override {}
  void ShowRecording(bool) override {}
  void ShowRecordingEnded() override {}
  void EnablePane(UINT, bool) override {}
  bool PaneScreenRect(UINT, RECT*) const override { return false; }
};

}  // namespace portal
