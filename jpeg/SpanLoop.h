// The loop over the blocks of a span, shared by the kernel sets: each set
// instantiates it with its own convert, transform and quantize steps.
// Internal linkage, for the reason given in KernelFormulas.h.
#pragma once

#include "SampleKernels.h"
#include "SymbolCoding.h"

namespace jpeg {
namespace {

template <typename Convert, typename Transform, typename Quantize>
inline void SampleSpanWith(const BlockSpan& span, Convert convert, Transform transform,
                           Quantize quantize) {
  alignas(32) float work[3][64];
  alignas(32) int16_t quantized[64];
  float* const blocks[3] = {work[0], work[1], work[2]};
  for (int b = 0; b < span.blocks; ++b) {
    convert(span.pixels, span.x0 + 8 * b, span.y0, span.first, span.count, blocks);
    for (int i = 0; i < span.count; ++i) {
      transform(work[i]);
      const uint64_t nonZero = quantize(work[i], span.divisors[i], quantized);
      AppendBlockSymbols(quantized, nonZero, *span.sinks[i]);
    }
  }
}

}  // namespace
}  // namespace jpeg
