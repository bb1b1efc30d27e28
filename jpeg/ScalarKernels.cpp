// The portable reference kernels: one value at a time, in the order the
// formulas are written.
#include "Dct.h"
#include "KernelFormulas.h"
#include "Quantization.h"
#include "SampleKernels.h"
#include "SpanLoop.h"

namespace jpeg {

namespace {

template <int kFirst, int... kIndex>
struct ChannelRows {
  static void Convert(const PixelView& pixels, int x0, int y0, float* const* blocks) {
    for (int y = 0; y < 8; ++y) {
      const uint8_t* p = pixels.Row(y0 + y) + 3 * x0;
      for (int x = 0; x < 8; ++x, p += 3) {
        const float b = p[0], g = p[1], r = p[2];
        ((blocks[kIndex][x + 8 * y] = ChannelValue<kFirst + kIndex>(b, g, r)), ...);
      }
    }
  }
};

void Convert(const PixelView& pixels, int x0, int y0, Channel first, int count, float* const* blocks) {
  ConvertChannels<ChannelRows>(pixels, x0, y0, first, count, blocks);
}

uint64_t Quantize(const float* block, const float* divisors, int16_t* out) {
  uint64_t nonZero = 0;
  for (int t = 0; t < 64; ++t) {
    out[t] = QuantizeValue(block[t], divisors[t]);
    nonZero |= static_cast<uint64_t>(out[t] != 0) << t;
  }
  return nonZero;
}

void SampleSpan(const BlockSpan& span) { SampleSpanWith(span, Convert, TransformThenQuantize<ForwardDctTransposed, Quantize>); }

constexpr SampleKernels kScalar{"scalar", Convert, ForwardDctTransposed, Quantize, SampleSpan};

}  // namespace

const SampleKernels& ScalarKernels() { return kScalar; }

}  // namespace jpeg
