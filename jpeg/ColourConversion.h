// Colour conversion of 8x8 pixel blocks to level-shifted Y, Cb and Cr in
// single precision, several channels from one reading of the pixels.
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

// Which colour value a component carries.
enum class Channel { kY = 0, kCb = 1, kCr = 2 };

// Converts the 8x8 pixels at (x0, y0) into blocks[0..count-1], natural
// order, for the channels first, first + 1, ... (count 1..3, first + count
// at most 3).
void ConvertBlocks(const PixelView& pixels, int x0, int y0, Channel first, int count,
                   float* const* blocks);

}  // namespace jpeg
