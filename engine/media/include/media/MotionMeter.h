// Motion measured by differencing consecutive frames: the share of sampled
// pixels whose brightness changed by more than a threshold, scaled to
// 0..100. Sensitivity 1..100 lowers the threshold and raises the gain, so a
// higher sensitivity never gives a smaller value for the same change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "media/Frame.h"

namespace media {

class MotionMeter {
 public:
  static constexpr int kMinSensitivity = 1, kMaxSensitivity = 100;

  // Motion 0..100 between two frames of the same size. E_INVALIDARG for
  // frames of different sizes, an empty frame, a sensitivity out of range
  // or a null value.
  static HRESULT Compare(const Frame& previous, const Frame& current, int sensitivity,
                         int* value);

  // Motion between frame and the frame fed before it; 0 for the first
  // frame and after a size change. A sensitivity out of range is clamped.
  int Feed(const Frame& frame, int sensitivity);
  void Reset() { previous_.clear(); }

 private:
  std::vector<std::uint8_t> previous_;  // sampled brightness of the last frame
  int width_ = 0, height_ = 0;
};

}  // namespace media
