// Quality-scaled quantization tables and their divisor tables, which fold
// the scaling of the DCT into quantization.
#pragma once

#include <array>
#include <cstdint>

#include "Tables.h"

namespace jpeg {

struct QuantTable {
  std::array<uint16_t, 64> entries{};  // zig-zag order
  std::array<float, 64> divisors{};    // indexed by zig-zag number
};

// s = round(5000 / q) below 50, 200 - 2q from 50 up (halves to even).
int QualityScale(int quality);

// Entries round((b*s + 50) / 100), halves to even, clamped to 1..255.
std::array<uint16_t, 64> ScaleBaseTable(const BaseTable& base, int quality);

// divisor[z] = f[r] * f[c] / Q in double, stored as float. Raises
// "Bad Quantization Table" for an entry outside 1..255.
void BuildDivisors(QuantTable& table, const ZigZagIndex& zigzag);

// The quantized coefficient: the float product rounded to nearest, halves to
// even (valid for |product| < 2^22, far above any 8-bit coefficient).
inline int16_t QuantizeValue(float value, float divisor) {
  const float product = value * divisor;
  constexpr float kRoundingBias = 12582912.0f;  // 1.5 * 2^23
  const float rounded = (product + kRoundingBias) - kRoundingBias;
  return static_cast<int16_t>(rounded);
}

}  // namespace jpeg
