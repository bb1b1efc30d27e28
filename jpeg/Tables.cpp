// Generation of the fixed tables.
#include "Tables.h"

namespace jpeg {

namespace {

// Annex K tables in natural (row-major) order.
constexpr uint16_t kLuminanceNatural[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr uint16_t kChrominanceNatural[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

BaseTable ToZigZag(const uint16_t (&natural)[64], const ZigZagIndex& zigzag) {
  BaseTable table{};
  for (int k = 0; k < 64; ++k) table[zigzag[k]] = natural[k];
  return table;
}

}  // namespace

BaseTable LuminanceBaseTable(const ZigZagIndex& zigzag) {
  return ToZigZag(kLuminanceNatural, zigzag);
}

BaseTable ChrominanceBaseTable(const ZigZagIndex& zigzag) {
  return ToZigZag(kChrominanceNatural, zigzag);
}

}  // namespace jpeg
