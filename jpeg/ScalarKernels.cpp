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
void ConvertRows(const PixelView& pixels, int x0, int y0, float* const* blocks) {
  for (int y = 0; y < 8; ++y) {
    const uint8_t* p = pixels.Row(y0 + y) + 3 * x0;
    for (int x = 0; x < 8; ++x, p += 3) {
      const float b = p[0], g = p[1], r = p[2];
      ((blocks[kIndex][x + 8 * y] = ChannelValue<kFirst + kIndex>(b, g, r)), ...);
    }
  }
}

void Convert(const PixelView& pixels, int x0, int y0, Channel first, int count,
             float* const* blocks) {
  switch (static_cast<int>(first) * 4 + count) {
    case 1: return ConvertRows<0, 0>(pixels, x0, y0, blocks);
    case 2: return ConvertRows<0, 0, 1>(pixels, x0, y0, blocks);
    case 3: return ConvertRows<0, 0, 1, 2>(pixels, x0, y0, blocks);
    case 5: return ConvertRows<1, 0>(pixels, x0, y0, blocks);
    case 6: return ConvertRows<1, 0, 1>(pixels, x0, y0, blocks);
    default: return ConvertRows<2, 0>(pixels, x0, y0, blocks);
  }
}

uint64_t Quantize(const float* block, const float* divisors, int16_t* out) {
  uint64_t nonZero = 0;
  for (int t = 0; t < 64; ++t) {
    out[t] = QuantizeValue(block[t], divisors[t]);
    nonZero |= static_cast<uint64_t>(out[t] != 0) << t;
  }
  return nonZero;
}

void SampleSpan(const BlockSpan& span) {
  SampleSpanWith(span, Convert, ForwardDctTransposed, Quantize);
}

constexpr SampleKernels kScalar{"scalar", Convert, ForwardDctTransposed, Quantize, SampleSpan};

}  // namespace

const SampleKernels& ScalarKernels() { return kScalar; }

}  // namespace jpeg
