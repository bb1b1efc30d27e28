// Fixed tables of the encoder: zig-zag order, the base quantization tables of
// the JPEG standard's Annex K and the scale factors of the scaled DCT.
#pragma once

#include <array>
#include <cstdint>

namespace jpeg {

using ZigZagIndex = std::array<uint8_t, 64>;  // natural position -> zig-zag number
using BaseTable = std::array<uint16_t, 64>;   // held in zig-zag order

// Walks the 8x8 block diagonally from (0, 0), as the standard's Figure A.6.
// Usable at compile time, so hot loops can index with constants.
constexpr ZigZagIndex BuildZigZagIndex() {
  ZigZagIndex index{};
  int row = 0, col = 0;
  for (int n = 0; n < 64; ++n) {
    index[row * 8 + col] = static_cast<uint8_t>(n);
    const bool upRight = (row + col) % 2 == 0;
    if (upRight) {
      if (col == 7) ++row;
      else if (row == 0) ++col;
      else { --row; ++col; }
    } else {
      if (row == 7) ++col;
      else if (col == 0) ++row;
      else { ++row; --col; }
    }
  }
  return index;
}

// Zig-zag number of each transposed position t = r + 8c (row r, column c),
// the layout in which the DCT kernels leave a block.
constexpr ZigZagIndex BuildTransposedZigZagIndex() {
  constexpr ZigZagIndex natural = BuildZigZagIndex();
  ZigZagIndex transposed{};
  for (int t = 0; t < 64; ++t) transposed[t] = natural[(t % 8) * 8 + t / 8];
  return transposed;
}

// Luminance (K.1) and chrominance (K.2) tables in zig-zag order.
BaseTable LuminanceBaseTable(const ZigZagIndex& zigzag);
BaseTable ChrominanceBaseTable(const ZigZagIndex& zigzag);

// f[k] = 1 / (sqrt(8) * a[k]), a[0] = 1, a[k] = sqrt(2) cos(k pi / 16),
// kept to 15 significant digits so that every build divides alike.
constexpr std::array<double, 8> kDctScaleFactors = {
    0.353553390593273, 0.25489778955208,  0.270598050073098, 0.300672443467523,
    0.353553390593273, 0.449988111568207, 0.653281482438186, 1.28145772387074};

}  // namespace jpeg
