// The AVX2 kernels, eight lanes at a time: one row of a block is one
// vector. Colour conversion gathers the B, G and R bytes of eight pixels
// with byte shuffles; the DCT runs the column pass with the rows as lanes,
// transposes the 8x8 block in registers and runs the row pass, which
// leaves the result transposed; quantization rounds with the processor's
// round-to-nearest and packs to 16 bits.
//
// This file alone is compiled for AVX2, and its table is only handed out
// after CpuHasAvx2() (KernelSelection.cpp): everything in it has internal
// linkage and it calls no inline function of another file, so no AVX2
// instruction can leak into the baseline code.
#include "SampleKernels.h"
#include "Simd.h"

#if JPEG_BUILD_AVX2

#include <immintrin.h>

#include "KernelFormulas.h"
#include "SpanLoop.h"

namespace jpeg {

namespace {

struct Lanes8 {
  __m256 v;
};

inline Lanes8 operator+(Lanes8 a, Lanes8 b) { return {_mm256_add_ps(a.v, b.v)}; }
inline Lanes8 operator-(Lanes8 a, Lanes8 b) { return {_mm256_sub_ps(a.v, b.v)}; }
inline Lanes8 operator*(Lanes8 a, Lanes8 b) { return {_mm256_mul_ps(a.v, b.v)}; }
inline Lanes8 operator*(float a, Lanes8 b) { return {_mm256_mul_ps(_mm256_set1_ps(a), b.v)}; }
inline Lanes8 operator*(Lanes8 a, float b) { return {_mm256_mul_ps(a.v, _mm256_set1_ps(b))}; }
inline Lanes8 operator-(Lanes8 a, float b) { return {_mm256_sub_ps(a.v, _mm256_set1_ps(b))}; }

// Byte positions of B, G and R of eight pixels within the 16 bytes at the
// row's start (first) and the 16 bytes from its eighth byte on (second);
// -1 gives zero.
alignas(16) constexpr int8_t kFromFirst[3][16] = {
    {0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}};
alignas(16) constexpr int8_t kFromSecond[3][16] = {
    {-1, -1, -1, -1, -1, -1, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1}};

inline Lanes8 Gather(__m128i first, __m128i second, int colour) {
  const __m128i a = _mm_shuffle_epi8(first, _mm_load_si128(reinterpret_cast<const __m128i*>(kFromFirst[colour])));
  const __m128i b = _mm_shuffle_epi8(second, _mm_load_si128(reinterpret_cast<const __m128i*>(kFromSecond[colour])));
  return {_mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_or_si128(a, b)))};
}

template <int kFirst, int... kIndex>
struct ChannelRows {
  static void Convert(const PixelView& pixels, int x0, int y0, float* const* blocks) {
    // Locals, so that the stores cannot be taken to change them.
    const ptrdiff_t stride = pixels.stride;
    const uint8_t* p = pixels.top + stride * y0 + 3 * x0;
    float* const out[] = {blocks[kIndex]...};
    for (int y = 0; y < 8; ++y, p += stride) {
      // Two overlapping loads cover the 24 bytes and read none beyond them.
      const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
      const Lanes8 b = Gather(first, second, 0), g = Gather(first, second, 1), r = Gather(first, second, 2);
      (_mm256_store_ps(out[kIndex] + 8 * y, ChannelValue<kFirst + kIndex>(b, g, r).v), ...);
    }
  }
};

void Convert(const PixelView& pixels, int x0, int y0, Channel first, int count, float* const* blocks) {
  ConvertChannels<ChannelRows>(pixels, x0, y0, first, count, blocks);
}

inline void Transpose(Lanes8 (&r)[8]) {
  __m256 t[8], u[8];
  for (int i = 0; i < 8; i += 2) {
    t[i] = _mm256_unpacklo_ps(r[i].v, r[i + 1].v);
    t[i + 1] = _mm256_unpackhi_ps(r[i].v, r[i + 1].v);
  }
  for (int i = 0; i < 8; i += 4) {
    u[i] = _mm256_shuffle_ps(t[i], t[i + 2], _MM_SHUFFLE(1, 0, 1, 0));
    u[i + 1] = _mm256_shuffle_ps(t[i], t[i + 2], _MM_SHUFFLE(3, 2, 3, 2));
    u[i + 2] = _mm256_shuffle_ps(t[i + 1], t[i + 3], _MM_SHUFFLE(1, 0, 1, 0));
    u[i + 3] = _mm256_shuffle_ps(t[i + 1], t[i + 3], _MM_SHUFFLE(3, 2, 3, 2));
  }
  for (int i = 0; i < 4; ++i) {
    r[i].v = _mm256_permute2f128_ps(u[i], u[i + 4], 0x20);
    r[i + 4].v = _mm256_permute2f128_ps(u[i], u[i + 4], 0x31);
  }
}

inline void TransformRows(Lanes8 (&r)[8]) {
  FlowGraph(r);  // columns, sample i in row i
  Transpose(r);
  FlowGraph(r);  // rows, now laid out as columns
}

void Transform(float* block) {
  Lanes8 r[8];
  for (int i = 0; i < 8; ++i) r[i].v = _mm256_load_ps(block + 8 * i);
  TransformRows(r);
  for (int i = 0; i < 8; ++i) _mm256_store_ps(block + 8 * i, r[i].v);
}

// Two vectors of eight products as sixteen coefficients in order.
inline __m256i RoundAndPack(__m256 low, __m256 high) {
  const __m256i packed = _mm256_packs_epi32(_mm256_cvtps_epi32(low), _mm256_cvtps_epi32(high));
  return _mm256_permute4x64_epi64(packed, _MM_SHUFFLE(3, 1, 2, 0));  // undo the lane split
}

// Bit i set where coefficient i of the 32 is zero.
inline uint32_t ZeroFlags(__m256i a, __m256i b) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i bytes = _mm256_packs_epi16(_mm256_cmpeq_epi16(a, zero), _mm256_cmpeq_epi16(b, zero));
  return static_cast<uint32_t>(
      _mm256_movemask_epi8(_mm256_permute4x64_epi64(bytes, _MM_SHUFFLE(3, 1, 2, 0))));
}

inline uint64_t QuantizeRows(const Lanes8 (&r)[8], const float* divisors, int16_t* out) {
  __m256i words[4];
  for (int i = 0; i < 4; ++i) {
    const __m256 low = _mm256_mul_ps(r[2 * i].v, _mm256_load_ps(divisors + 16 * i));
    const __m256 high = _mm256_mul_ps(r[2 * i + 1].v, _mm256_load_ps(divisors + 16 * i + 8));
    words[i] = RoundAndPack(low, high);
    _mm256_store_si256(reinterpret_cast<__m256i*>(out + 16 * i), words[i]);
  }
  const uint64_t zeros = ZeroFlags(words[0], words[1]) |
                         static_cast<uint64_t>(ZeroFlags(words[2], words[3])) << 32;
  return ~zeros;
}

uint64_t Quantize(const float* block, const float* divisors, int16_t* out) {
  Lanes8 r[8];
  for (int i = 0; i < 8; ++i) r[i].v = _mm256_load_ps(block + 8 * i);
  return QuantizeRows(r, divisors, out);
}

// The transformed block stays in registers on its way to quantization.
inline uint64_t TransformAndQuantize(const float* block, const float* divisors, int16_t* out) {
  Lanes8 r[8];
  for (int i = 0; i < 8; ++i) r[i].v = _mm256_load_ps(block + 8 * i);
  TransformRows(r);
  return QuantizeRows(r, divisors, out);
}

void SampleSpan(const BlockSpan& span) { SampleSpanWith(span, Convert, TransformAndQuantize); }

constexpr SampleKernels kAvx2{"AVX2", Convert, Transform, Quantize, SampleSpan};

}  // namespace

const SampleKernels& Avx2KernelTable() { return kAvx2; }

}  // namespace jpeg

#endif
