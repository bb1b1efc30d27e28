// The loops the kernel sets share: the choice among the channel sets a
// conversion handles, and the loop over the blocks of a span. Each set
// instantiates them with its own steps. Internal linkage, for the reason
// given in KernelFormulas.h.
#pragma once

#include "SampleKernels.h"
#include "SymbolCoding.h"

namespace jpeg {
namespace {

// Rows<kFirst, kIndex...>::Convert converts the block for the channels
// kFirst + kIndex; the channel set is a compile-time constant there, so
// the formulas' constants stay in registers across the eight rows.
template <template <int, int...> class Rows>
inline void ConvertChannels(const PixelView& pixels, int x0, int y0, Channel first, int count,
                            float* const* blocks) {
  switch (static_cast<int>(first) * 4 + count) {
    case 1: return Rows<0, 0>::Convert(pixels, x0, y0, blocks);
    case 2: return Rows<0, 0, 1>::Convert(pixels, x0, y0, blocks);
    case 3: return Rows<0, 0, 1, 2>::Convert(pixels, x0, y0, blocks);
    case 5: return Rows<1, 0>::Convert(pixels, x0, y0, blocks);
    case 6: return Rows<1, 0, 1>::Convert(pixels, x0, y0, blocks);
    default: return Rows<2, 0>::Convert(pixels, x0, y0, blocks);
  }
}

// The two steps one after the other, for sets whose transform leaves the
// block in memory.
template <void (*kTransform)(float*), uint64_t (*kQuantize)(const float*, const float*, int16_t*)>
inline uint64_t TransformThenQuantize(float* block, const float* divisors, int16_t* out) {
  kTransform(block);
  return kQuantize(block, divisors, out);
}

// transformAndQuantize(block, divisors, out) transforms a work block and
// quantizes it into out, returning the non-zero mask.
template <typename Convert, typename TransformAndQuantize>
inline void SampleSpanWith(const BlockSpan& span, Convert convert, TransformAndQuantize transformAndQuantize) {
  alignas(32) float work[3][64];
  alignas(32) int16_t quantized[64];
  float* const blocks[3] = {work[0], work[1], work[2]};
  for (int b = 0; b < span.blocks; ++b) {
    convert(span.pixels, span.x0 + 8 * b, span.y0, span.first, span.count, blocks);
    for (int i = 0; i < span.count; ++i) {
      const uint64_t nonZero = transformAndQuantize(work[i], span.divisors[i], quantized);
      AppendBlockSymbols(quantized, nonZero, *span.sinks[i]);
    }
  }
}

}  // namespace
}  // namespace jpeg
