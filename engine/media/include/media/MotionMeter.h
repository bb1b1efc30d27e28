// Motion between consecutive frames as one value 0..100 that grows with
// the share of the picture that changed and with how strongly it changed.
//
// The picture is divided into a grid of cells (the same grid at every
// frame size, so the value does not depend on the resolution). For each
// cell the mean brightness difference between the two frames is taken;
// the median of those means estimates the sensor noise of the moment,
// and a cell counts as changed by how far its mean rises above that noise
// floor (fully from kFullChange levels above it). The changed share of
// the cells is then mapped through a square root, so that a small moving
// object (a few percent of the picture) reads clearly above zero while
// the whole picture changing reads 100: 1% of the picture gives about
// 10, a quarter about 50, half about 71. A still picture, sensor noise
// and an even change of the whole picture's brightness by a few levels
// (exposure) read 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "media/Frame.h"

namespace media {

class MotionMeter {
 public:
  static constexpr int kGridColumns = 32, kGridRows = 24;
  // Brightness levels (0..255) above the noise floor at which a cell
  // counts as wholly changed.
  static constexpr int kFullChange = 48;

  // Motion 0..100 between two frames of the same size. E_INVALIDARG for
  // frames of different sizes, an empty frame or a null value.
  static HRESULT Compare(const Frame& previous, const Frame& current, int* value);

  // Motion between frame and the frame fed before it; 0 for the first
  // frame and after a size change.
  int Feed(const Frame& frame);
  void Reset() noexcept { previous_.clear(); }

 private:
  std::vector<std::uint8_t> previous_;  // sampled brightness of the last frame
  int width_ = 0, height_ = 0;
};

}  // namespace media
