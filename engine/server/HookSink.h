// The video hook image "VX_MEMORY_IMAGE_1_0": while camera property 29 is
// on, each frame is copied there (a BITMAPINFOHEADER followed by 24-bit
// bottom-up rows of width x 3 bytes, no row padding) and message 1625 tells
// the client. The mapping is sized for the largest frame, so a format
// change never needs a new one.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"
#include "media/Frame.h"

namespace engine {

class HookSink {
 public:
  static constexpr std::uint32_t kCapacity = 40 + 1600 * 1200 * 3;

  HRESULT Start();
  void Stop() noexcept;
  bool On() const noexcept { return view_.valid(); }

  // Copies the frame; false when it does not fit.
  bool Publish(const media::Frame& frame) noexcept;

 private:
  common::UniqueKernelHandle mapping_;
  common::UniqueMappedView view_;
};

}  // namespace engine
