// Turns a component's pixel area into quantized coefficient blocks: colour
// conversion to level-shifted Y, Cb or Cr, forward DCT and quantization, one
// 8x8 block at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Component.h"
#include "Quantization.h"
#include "Tables.h"

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

// Reads the component's cw8 x ch8 area from pixels (already edge-replicated)
// and stores every block's quantized coefficients in component.coefficients.
void SampleBlocks(Component& component, Channel channel, const PixelView& pixels,
                  const QuantTable& table, const ZigZagIndex& zigzag);

// The colour conversion of one block (natural order, level-shifted).
void ConvertBlock(Channel channel, const PixelView& pixels, int x0, int y0,
                  float* block);

}  // namespace jpeg
