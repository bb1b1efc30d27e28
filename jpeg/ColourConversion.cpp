// Each value is evaluated left to right in single precision with
// single-precision constants, as the scalar formulas below are written:
//   Y  = 0.299 R + 0.587 G + 0.114 B - 128
//   Cb = -0.16874 R - 0.33126 G + 0.5 B        (the +128 and the level
//   Cr = 0.5 R - 0.41869 G - 0.08131 B          shift of 128 cancel)
// The SSE2 path splits eight pixels into B, G and R lanes once and applies
// the same templates to four pixels at a time.
#include "ColourConversion.h"

#include "FloatLanes.h"

namespace jpeg {

namespace {

template <typename T>
inline T Luminance(T b, T g, T r) {
  return 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
}
template <typename T>
inline T BlueDifference(T b, T g, T r) {
  return -0.16874f * r - 0.33126f * g + 0.5f * b;
}
template <typename T>
inline T RedDifference(T b, T g, T r) {
  return 0.5f * r - 0.41869f * g - 0.08131f * b;
}

template <int kChannel, typename T>
inline T ChannelValue(T b, T g, T r) {
  if constexpr (kChannel == 0) return Luminance(b, g, r);
  else if constexpr (kChannel == 1) return BlueDifference(b, g, r);
  else return RedDifference(b, g, r);
}

#if JPEG_USE_SSE2

struct Bgr4 {
  Lanes4 b, g, r;
};

// Splits twelve interleaved values (B G R B | G R B G | R B G R) of four
// pixels into one vector per colour.
inline Bgr4 Deinterleave(__m128 p, __m128 q, __m128 s) {
  const __m128 blueTail = _mm_shuffle_ps(q, s, _MM_SHUFFLE(1, 1, 2, 2));   // q2 q2 s1 s1
  const __m128 blue = _mm_shuffle_ps(p, blueTail, _MM_SHUFFLE(2, 0, 3, 0));  // p0 p3 q2 s1
  const __m128 greenHead = _mm_shuffle_ps(p, q, _MM_SHUFFLE(0, 0, 1, 1));  // p1 p1 q0 q0
  const __m128 greenTail = _mm_shuffle_ps(q, s, _MM_SHUFFLE(2, 2, 3, 3));  // q3 q3 s2 s2
  const __m128 green = _mm_shuffle_ps(greenHead, greenTail, _MM_SHUFFLE(2, 0, 2, 0));
  const __m128 redHead = _mm_shuffle_ps(p, q, _MM_SHUFFLE(1, 1, 2, 2));    // p2 p2 q1 q1
  const __m128 redTail = _mm_shuffle_ps(s, s, _MM_SHUFFLE(3, 3, 0, 0));    // s0 s0 s3 s3
  const __m128 red = _mm_shuffle_ps(redHead, redTail, _MM_SHUFFLE(2, 0, 2, 0));
  return {{blue}, {green}, {red}};
}

inline __m128 Widen(__m128i words, bool high) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_cvtepi32_ps(high ? _mm_unpackhi_epi16(words, zero) : _mm_unpacklo_epi16(words, zero));
}

// Reads the 24 bytes of eight pixels (no byte beyond them) as floats.
inline void LoadRow(const uint8_t* p, Bgr4& left, Bgr4& right) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i last = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i bytes0to7 = _mm_unpacklo_epi8(first, zero);
  const __m128i bytes8to15 = _mm_unpackhi_epi8(first, zero);
  const __m128i bytes16to23 = _mm_unpacklo_epi8(last, zero);
  left = Deinterleave(Widen(bytes0to7, false), Widen(bytes0to7, true), Widen(bytes8to15, false));
  right = Deinterleave(Widen(bytes8to15, true), Widen(bytes16to23, false),
                       Widen(bytes16to23, true));
}

#endif

// Stores the channels kFirst + i (i < kCount) of row y, x = 0..7.
#if JPEG_USE_SSE2
template <int kFirst, int... kIndex>
inline void StoreRow(const uint8_t* p, int y, float* const* blocks) {
  Bgr4 left, right;
  LoadRow(p, left, right);
  ((ChannelValue<kFirst + kIndex>(left.b, left.g, left.r).Store(blocks[kIndex] + 8 * y),
    ChannelValue<kFirst + kIndex>(right.b, right.g, right.r).Store(blocks[kIndex] + 8 * y + 4)),
   ...);
}
#else
template <int kFirst, int... kIndex>
inline void StoreRow(const uint8_t* p, int y, float* const* blocks) {
  for (int x = 0; x < 8; ++x, p += 3) {
    const float b = p[0], g = p[1], r = p[2];
    ((blocks[kIndex][x + 8 * y] = ChannelValue<kFirst + kIndex>(b, g, r)), ...);
  }
}
#endif

// The channel set is a compile-time constant, so the constants of the
// formulas stay in registers across the eight rows.
template <int kFirst, int... kIndex>
void ConvertRows(const PixelView& pixels, int x0, int y0, float* const* blocks) {
  for (int y = 0; y < 8; ++y) StoreRow<kFirst, kIndex...>(pixels.Row(y0 + y) + 3 * x0, y, blocks);
}

}  // namespace

void ConvertBlocks(const PixelView& pixels, int x0, int y0, Channel first, int count,
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

}  // namespace jpeg
