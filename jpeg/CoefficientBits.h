// Bit-level helpers of the entropy coder shared by the statistics and the
// coding pass: size categories, the bits appended after a code, and a mask
// of a block's non-zero coefficients, which lets both passes jump from one
// non-zero coefficient to the next instead of testing all 63.
#pragma once

#include <cstdint>

#include "Simd.h"

namespace jpeg {

// Size category of a value: the number of bits of |v| (0 for 0).
inline int SizeCategory(int value) {
  const unsigned magnitude = static_cast<unsigned>(value < 0 ? -value : value);
  return magnitude == 0 ? 0 : 32 - __builtin_clz(magnitude);
}

// The s bits appended after a code: the low s bits of the value, of
// value - 1 when it is negative.
inline uint32_t AppendedBits(int value, int s) {
  const int adjusted = value + (value >> 31);  // value - 1 when negative
  return static_cast<uint32_t>(adjusted) & ((1u << s) - 1);
}

// Position of the lowest set bit; mask must not be 0.
inline int LowestSetBit(uint64_t mask) { return __builtin_ctzll(mask); }

// Bit z is set when block[z] is not zero (block: 64 coefficients).
inline uint64_t NonZeroMask(const int16_t* block) {
#if JPEG_USE_SSE2
  const __m128i zero = _mm_setzero_si128();
  uint64_t zeros = 0;
  for (int i = 0; i < 4; ++i) {  // 16 coefficients per step
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 8));
    const __m128i bytes = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
    zeros |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(bytes))) << (16 * i);
  }
  return ~zeros;
#else
  uint64_t mask = 0;
  for (int z = 0; z < 64; ++z) mask |= static_cast<uint64_t>(block[z] != 0) << z;
  return mask;
#endif
}

}  // namespace jpeg
