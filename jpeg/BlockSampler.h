// Turns a pixel area into quantized coefficient blocks: colour conversion
// to level-shifted Y, Cb or Cr, forward DCT and quantization, one 8x8
// block position at a time. Components that share an area (same size) are
// sampled together, so each pixel is read and split into B, G, R once.
#pragma once

#include "ColourConversion.h"
#include "Component.h"
#include "Quantization.h"

namespace jpeg {

struct BlockTarget {
  Component* component;
  const QuantTable* table;
};

// targets[i] receives channel first + i (count 1..3). Every target has the
// same cw8 x ch8 geometry, read from pixels (already edge-replicated); each
// component's coefficients are replaced by its blocks, rows of blocks top
// to bottom.
void SampleBlocks(const BlockTarget* targets, int count, Channel first, const PixelView& pixels);

}  // namespace jpeg
