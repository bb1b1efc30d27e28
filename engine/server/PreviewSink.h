// Publishes preview frames to a client's preview window through the shared
// mapping of PreviewFrame.h, then invalidates the window so that it paints
// the newest frame itself. A frame larger than the preview is reduced to
// the preview's size on the way in (nearest pixel, as the window's own
// stretching would show it), so the window paints it one to one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

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
  // Whether the frame is larger than the preview each way.
  bool Reduces(const media::Frame& frame) const noexcept;
  // Writes the frame at the preview's size; may throw std::bad_alloc.
  void WriteReduced(const media::Frame& frame, std::uint8_t* pixels);

  HWND window_ = nullptr;
  int width_ = 0, height_ = 0;
  std::uint32_t frames_ = 0;
  common::UniqueKernelHandle mapping_;
  common::UniqueMappedView view_;
  // Source byte offset of each preview column, for frames of sourceWidth_.
  std::vector<std::uint32_t> columns_;
  int sourceWidth_ = 0;
};

}  // namespace engine
