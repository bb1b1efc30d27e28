// The pixels the sampling kernels read and the colour values they make.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jpeg {

// A read-only view of 24-bit pixels (bytes B, G, R), top row first. The
// stride may be negative (bottom-up bitmaps).
struct PixelView {
  const uint8_t* top = nullptr;
  ptrdiff_t stride = 0;
  const uint8_t* Row(int y) const { return top + stride * y; }
};

// Which colour value a component carries: level-shifted Y, Cb or Cr.
enum class Channel { kY = 0, kCb = 1, kCr = 2 };

}  // namespace jpeg
