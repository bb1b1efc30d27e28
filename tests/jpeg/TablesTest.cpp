// Quantization tables from the quality setting, zig-zag order and the
// divisor tables.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "JpegEncoder.h"
#include "JpegError.h"
#include "Quantization.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrtHalf = 0.70710678118654752440;

std::vector<int> FirstEight(const jpeg::QuantTable& t) {
  return std::vector<int>(t.entries.begin(), t.entries.begin() + 8);
}

jpeg::JpegEncoder WithQuality(int q) {
  jpeg::JpegEncoder e;
  e.SetQuality(q);
  return e;
}

TEST(JpegTables, ZigZagWalksTheBlockDiagonally) {
  const jpeg::ZigZagIndex z = jpeg::BuildZigZagIndex();
  const int naturalOfFirst[] = {0, 1, 8, 16, 9, 2, 3, 10, 17, 24};
  for (int n = 0; n < 10; ++n) EXPECT_EQ(z[naturalOfFirst[n]], n);
  EXPECT_EQ(z[63], 63);
  EXPECT_EQ(z[62], 62);  // row 7, column 6
  std::vector<bool> seen(64);
  for (int k = 0; k < 64; ++k) seen[z[k]] = true;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 64);
}

TEST(JpegTables, WorkedQualityValuesRoundHalvesToEven) {
  EXPECT_EQ(FirstEight(WithQuality(75).Table(0)), (std::vector<int>{8, 6, 6, 8, 6, 6, 8, 8}));
  EXPECT_EQ(FirstEight(WithQuality(90).Table(0)), (std::vector<int>{4, 3, 3, 3, 3, 2, 4, 3}));
  EXPECT_EQ(FirstEight(WithQuality(50).Table(0)),
            (std::vector<int>{16, 12, 12, 14, 12, 10, 16, 14}));
  EXPECT_EQ(FirstEight(WithQuality(90).Table(1)), (std::vector<int>{4, 4, 4, 5, 5, 5, 10, 6}));
  EXPECT_EQ(jpeg::QualityScale(3), 1667);
  EXPECT_EQ(jpeg::QualityScale(16), 312);  // 312.5 goes to the even neighbour
  const jpeg::JpegEncoder best = WithQuality(100), worst = WithQuality(1);
  for (int slot = 0; slot < 2; ++slot) {
    for (uint16_t q : best.Table(slot).entries) EXPECT_EQ(q, 1);
    for (uint16_t q : worst.Table(slot).entries) EXPECT_EQ(q, 255);
  }
}

TEST(JpegTables, QualityOutsideRangeIsIgnored) {
  jpeg::JpegEncoder e;
  EXPECT_EQ(e.Quality(), 75);
  e.SetQuality(60);
  const jpeg::QuantTable before = e.Table(0);
  for (int bad : {0, 101, -5}) {
    e.SetQuality(bad);
    EXPECT_EQ(e.Quality(), 60);
    EXPECT_EQ(e.Table(0).entries, before.entries);
    EXPECT_EQ(e.Table(0).divisors, before.divisors);
  }
}

TEST(JpegTables, DivisorsFoldTheDctScaleIntoTheQuantizer) {
  const jpeg::JpegEncoder e = WithQuality(90);
  const jpeg::ZigZagIndex& z = e.ZigZag();
  for (int k = 0; k < 64; ++k) {
    const int r = k / 8, c = k % 8;
    const double expected =
        jpeg::kDctScaleFactors[r] * jpeg::kDctScaleFactors[c] / e.Table(1).entries[z[k]];
    EXPECT_EQ(e.Table(1).divisors[z[k]], static_cast<float>(expected)) << "k=" << k;
  }
  // f[k] = 1 / (sqrt(8) * sqrt(2) * cos(k pi / 16)) for k > 0.
  for (int k = 1; k < 8; ++k) {
    EXPECT_NEAR(jpeg::kDctScaleFactors[k], 1.0 / (4.0 * std::cos(k * kPi / 16)), 1e-13);
  }
}

TEST(JpegTables, EntryOutsideByteRangeIsABadQuantizationTable) {
  const jpeg::ZigZagIndex z = jpeg::BuildZigZagIndex();
  for (uint16_t bad : {0, 256}) {
    jpeg::QuantTable t;
    t.entries.fill(10);
    t.entries[37] = bad;
    try {
      jpeg::BuildDivisors(t, z);
      FAIL() << "accepted entry " << bad;
    } catch (const jpeg::JpegError& e) {
      EXPECT_EQ(e.Number(), 1);
      EXPECT_STREQ(e.what(), "Bad Quantization Table");
    }
  }
}

TEST(JpegTables, QuantizationRoundsHalvesToEven) {
  EXPECT_EQ(jpeg::QuantizeValue(5.0f, 0.5f), 2);    // 2.5
  EXPECT_EQ(jpeg::QuantizeValue(7.0f, 0.5f), 4);    // 3.5
  EXPECT_EQ(jpeg::QuantizeValue(-5.0f, 0.5f), -2);  // -2.5
  EXPECT_EQ(jpeg::QuantizeValue(-7.0f, 0.5f), -4);  // -3.5
  EXPECT_EQ(jpeg::QuantizeValue(2.4f, 1.0f), 2);
  EXPECT_EQ(jpeg::QuantizeValue(-2047.6f, 1.0f), -2048);
}

}  // namespace
