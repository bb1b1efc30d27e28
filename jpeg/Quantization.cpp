// Quantization tables from the quality setting.
#include "Quantization.h"

#include <cmath>

#include "JpegError.h"

namespace jpeg {

int QualityScale(int quality) {
  if (quality < 50) return static_cast<int>(std::nearbyint(5000.0 / quality));
  return 200 - 2 * quality;
}

std::array<uint16_t, 64> ScaleBaseTable(const BaseTable& base, int quality) {
  const double scale = QualityScale(quality);
  std::array<uint16_t, 64> entries{};
  for (int z = 0; z < 64; ++z) {
    double q = std::nearbyint((base[z] * scale + 50.0) / 100.0);
    if (q < 1.0) q = 1.0;
    if (q > 255.0) q = 255.0;
    entries[z] = static_cast<uint16_t>(q);
  }
  return entries;
}

void BuildDivisors(QuantTable& table, const ZigZagIndex& zigzag) {
  for (int k = 0; k < 64; ++k) {  // natural order, so the first bad entry wins
    const int z = zigzag[k];
    const int q = table.entries[z];
    if (q < 1 || q > 255) throw JpegError(1, "Bad Quantization Table");
    const double divisor = kDctScaleFactors[k / 8] * kDctScaleFactors[k % 8] / q;
    table.divisors[z] = static_cast<float>(divisor);
  }
}

}  // namespace jpeg
