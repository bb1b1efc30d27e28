// The preview area inside the control's window. The camera engine puts
// each live frame into a shared mapping named after this window and
// invalidates it; the window paints the newest frame, or the information
// screen it was given while no live video can be shown.
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"
#include "ui/InfoScreen.h"
#include "ui/UiMessages.h"

namespace portal {

class PreviewWindow {
 public:
  PreviewWindow() = default;
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;
  ~PreviewWindow();

  bool Create(HWND parent, int width, int height);
  void Destroy();
  HWND Handle() const { return hwnd_; }

  // Live frames are painted while the preview runs; otherwise the screen.
  void SetLive(bool live);
  bool Live() const { return live_; }
  void ShowScreen(const InfoScreen& screen);
  const InfoScreen& Screen() const { return screen_; }
  void HideRetryButton();

  // Frames painted since creation (for diagnostics and tests).
  unsigned long FramesPainted() const { return framesPainted_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();
  bool PaintFrame(HDC dc, const RECT& client);
  const void* MapFrame();
  void UpdateRetryButton();
  void UpdateSetupLink();

  HWND hwnd_ = nullptr;
  bool live_ = false;
  InfoScreen screen_;
  InfoScreenPainter painter_;
  common::UniqueKernelHandle mapping_;
  common::UniqueMappedView view_;
  HWND retryButton_ = nullptr;  // a child: destroyed with the window
  HWND setupLink_ = nullptr;    // likewise
  unsigned long framesPainted_ = 0;
};

}  // namespace portal
