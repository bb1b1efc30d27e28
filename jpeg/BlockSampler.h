// Turns a pixel area into quantized blocks: colour conversion to
// level-shifted Y, Cb or Cr, forward DCT and quantization, a span of
// blocks at a time through the chosen kernels, each block then stored as
// its coder symbols. Components that share an area (same size) are
// sampled together, so each pixel is read and split into B, G, R once.
#pragma once

#include "ColourConversion.h"
#include "Component.h"
#include "Quantization.h"
#include "SampleKernels.h"

namespace jpeg {

struct BlockTarget {
  Component* component;
  const QuantTable* table;
};

// targets[i] receives channel first + i (count 1..3). Every target has the
// same cw8 x ch8 geometry, read from pixels (already edge-replicated); each
// component's blocks are replaced, rows of blocks top to bottom.
void SampleBlocks(const BlockTarget* targets, int count, Channel first, const PixelView& pixels,
                  const SampleKernels& kernels);

}  // namespace jpeg
