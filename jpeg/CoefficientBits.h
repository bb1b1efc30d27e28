// Bit-level helpers of the entropy coder shared by the sampling side (which
// turns quantized blocks into symbols) and the coding pass: size
// categories, the bits appended after a code, and lowest-set-bit search,
// which lets both jump from one non-zero coefficient to the next instead
// of testing all 63. Written for GCC, Clang and MSVC alike.
//
// Internal linkage on purpose: the AVX2 kernels use these compiled for
// their own instruction set (see KernelFormulas.h).
#pragma once

#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace jpeg {
namespace {

// Number of significant bits of a non-zero value.
inline int BitLength(uint32_t magnitude) {
#if defined(_MSC_VER)
  unsigned long index;
  _BitScanReverse(&index, magnitude);
  return static_cast<int>(index) + 1;
#else
  return 32 - __builtin_clz(magnitude);
#endif
}

// Size category of a value: the number of bits of |v| (0 for 0).
inline int SizeCategory(int value) {
  const unsigned magnitude = static_cast<unsigned>(value < 0 ? -value : value);
  return magnitude == 0 ? 0 : BitLength(magnitude);
}

// The s bits appended after a code: the low s bits of the value, of
// value - 1 when it is negative.
inline uint32_t AppendedBits(int value, int s) {
  const int adjusted = value + (value >> 31);  // value - 1 when negative
  return static_cast<uint32_t>(adjusted) & ((1u << s) - 1);
}

// The value back from its category and appended bits (the decoder's
// EXTEND): a clear top bit marks a negative value.
inline int ExtendBits(uint32_t bits, int s) {
  if (s == 0) return 0;
  const int value = static_cast<int>(bits);
  return (bits >> (s - 1)) ? value : value - (1 << s) + 1;
}

// Position of the lowest set bit; mask must not be 0.
inline int LowestSetBit(uint64_t mask) {
#if defined(_MSC_VER) && defined(_M_X64)
  unsigned long index;
  _BitScanForward64(&index, mask);
  return static_cast<int>(index);
#elif defined(_MSC_VER)
  unsigned long index;
  if (_BitScanForward(&index, static_cast<uint32_t>(mask))) return static_cast<int>(index);
  _BitScanForward(&index, static_cast<uint32_t>(mask >> 32));
  return static_cast<int>(index) + 32;
#else
  return __builtin_ctzll(mask);
#endif
}

}  // namespace
}  // namespace jpeg
