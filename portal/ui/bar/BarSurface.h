// What the bar's logic asks of the bar's window: build it with a set of
// panes under the preview, change a pane, blink the status pane, repaint.
// PaneBarWindow is the real one over a CStatusBarEx; tests record the
// requests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls/StatusBarPanes.h"

namespace portal {

class BarSurface {
 public:
  virtual bool Exists() const = 0;
  // Destroys a bar that exists, then creates one with these panes under
  // the preview; false when it could not be created.
  virtual bool Build(const std::vector<controls::PaneRecord>& panes) = 0;
  // Hides and destroys the bar; the window shrinks to the preview.
  virtual void Destroy() = 0;

  // Requests for a pane the bar does not have change nothing.
  virtual void SetText(LONG pane, const std::wstring& text) = 0;
  virtual void SetTooltip(LONG pane, const std::wstring& text) = 0;
  // An icon of the resource module; 0 removes the icon.
  virtual void SetIcon(LONG pane, UINT iconId) = 0;
  // A bitmap of the resource module in place of the icon; 0 removes it.
  virtual void SetPicture(LONG pane, UINT bitmapId) = 0;
  // The skin's own icon for the video settings, when it names one.
  virtual void UseSkinSettingsIcon(LONG pane) = 0;
  virtual void Enable(LONG pane, bool enable) = 0;
  // Blinks the pane's text every periodMs until StopBlinking.
  virtual void Blink(LONG pane, UINT periodMs) = 0;
  virtual void StopBlinking() = 0;
  virtual void Repaint() = 0;
  virtual bool PaneScreenRect(LONG pane, RECT* rect) const = 0;

 protected:
  ~BarSurface() = default;
};

}  // namespace portal
