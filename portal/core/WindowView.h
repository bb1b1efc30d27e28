// What the control's components need of its window: the two window handles
// the engine is given, repainting and laying out, messages to itself and
// its queue, timers, and the few things it shows (information screens,
// the busy indicator, error messages). The control implements it over its
// real windows; tests use a fake that records what was asked.
#pragma once

#include <windows.h>

#include <string>

#include "ui/InfoScreen.h"

namespace portal {

class WindowView {
 public:
  // The control's window, the engine's notification window; null before
  // the window exists.
  virtual HWND Window() const = 0;
  // The preview area the engine draws into; null before it exists.
  virtual HWND PreviewArea() const = 0;

  // Invalidates the whole window (with erasing).
  virtual void Repaint() = 0;
  // Lays the window out again: preview size, and live video when a camera
  // is connected and the preview is on.
  virtual void LayOut() = 0;
  // Resizes the preview area, keeping its position.
  virtual void SizePreview(LONG width, LONG height) = 0;
  // Whether the preview area paints live frames or its information screen.
  virtual void SetPreviewLive(bool live) = 0;
  virtual void ShowInfoScreen(InfoScreenKind kind, const std::wstring& cameraName) = 0;
  virtual void HideRetryButton() = 0;

  // Posts a message to the control's own window.
  virtual bool PostToSelf(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Removes the oldest queued copy of message from the window's queue.
  virtual bool TakeQueued(UINT message, MSG* taken) = 0;
  // (Re)starts or stops a window timer.
  virtual bool StartTimer(UINT_PTR id, UINT periodMs) = 0;
  virtual void StopTimer(UINT_PTR id) = 0;

  // Gives the control's window the keyboard focus.
  virtual void TakeFocus() = 0;

  // The window is visible and this process has the foreground.
  virtual bool ShownInForeground() const = 0;
  // The busy indicator over the window while a picture is taken.
  virtual void ShowBusyIndicator() = 0;
  virtual void HideBusyIndicator() = 0;
  // The control's own error message box.
  virtual void ShowError(const std::wstring& text) = 0;

 protected:
  ~WindowView() = default;
};

}  // namespace portal
