// The products are rounded exactly as QuantizeValue does (adding and
// removing 1.5 * 2^23), four at a time on SSE2, then written to their
// zig-zag positions through a compile-time table.
#include "BlockQuantizer.h"

#include "Simd.h"
#include "Tables.h"

namespace jpeg {

namespace {

// Zig-zag number of each transposed position t = r + 8c.
constexpr ZigZagIndex TransposedZigZag() {
  constexpr ZigZagIndex natural = BuildZigZagIndex();
  ZigZagIndex transposed{};
  for (int t = 0; t < 64; ++t) transposed[t] = natural[(t % 8) * 8 + t / 8];
  return transposed;
}

constexpr ZigZagIndex kTransposedZigZag = TransposedZigZag();

}  // namespace

BlockQuantizer::BlockQuantizer(const QuantTable& table) {
  for (int t = 0; t < 64; ++t) divisors_[t] = table.divisors[kTransposedZigZag[t]];
}

void BlockQuantizer::Quantize(const float* transposed, int16_t* out) const {
  alignas(16) int16_t values[64];
#if JPEG_USE_SSE2
  const __m128 bias = _mm_set1_ps(12582912.0f);  // 1.5 * 2^23, as in QuantizeValue
  for (int t = 0; t < 64; t += 8) {
    __m128i halves[2];
    for (int h = 0; h < 2; ++h) {
      const __m128 product = _mm_mul_ps(_mm_loadu_ps(transposed + t + 4 * h),
                                        _mm_load_ps(divisors_ + t + 4 * h));
      halves[h] = _mm_cvttps_epi32(_mm_sub_ps(_mm_add_ps(product, bias), bias));
    }
    _mm_store_si128(reinterpret_cast<__m128i*>(values + t), _mm_packs_epi32(halves[0], halves[1]));
  }
#else
  for (int t = 0; t < 64; ++t) values[t] = QuantizeValue(transposed[t], divisors_[t]);
#endif
#if defined(__GNUC__)
#pragma GCC unroll 64
#endif
  for (int t = 0; t < 64; ++t) out[kTransposedZigZag[t]] = values[t];
}

}  // namespace jpeg
