// Publishes preview frames to a client's preview window through the shared
// mapping of PreviewFrame.h, then invalidates the window so that it paints
// the newest frame itself.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"
#include "media/Frame.h"

namespace engine {

class PreviewSink {
 public:
  // Creates the mapping for window; E_INVALIDARG when window is not one.
  HRESULT Start(HWND window, int width, int height);
  void Stop() noexcept;
  bool On() const noexcept { return view_.valid(); }
  HWND Window() const noexcept { return window_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }

  // Writes the frame (when it fits the mapping) and invalidates the window.
  void Publish(const media::Frame& frame) noexcept;

 private:
  HWND window_ = nullptr;
  int width_ = 0, height_ = 0;
  std::uint32_t frames_ = 0;
  common::UniqueKernelHandle mapping_;
  common::UniqueMappedView view_;
};

}  // namespace engine
