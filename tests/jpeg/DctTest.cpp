// The scaled DCT against a direct double-precision transform.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Dct.h"
#include "Tables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrtHalf = 0.70710678118654752440;

// F(u, v) = 1/4 C(u) C(v) sum f(x, y) cos((2x+1)u pi/16) cos((2y+1)v pi/16),
// v the vertical frequency (row), u the horizontal one (column).
double DirectDct(const float* in, int row, int col) {
  double sum = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      sum += in[x + 8 * y] * std::cos((2 * x + 1) * col * kPi / 16) *
             std::cos((2 * y + 1) * row * kPi / 16);
    }
  }
  const double cr = row ? 1.0 : kSqrtHalf, cc = col ? 1.0 : kSqrtHalf;
  return sum * cr * cc / 4;
}

TEST(JpegDct, ScaledOutputsMatchTheDirectTransform) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> sample(-128.0f, 127.0f);
  for (int trial = 0; trial < 20; ++trial) {
    float block[64], in[64];
    for (int k = 0; k < 64; ++k) in[k] = block[k] = sample(random);
    if (trial == 0) {  // asymmetric block: catches swapped rows and columns
      for (int k = 0; k < 64; ++k) in[k] = block[k] = static_cast<float>(k % 8 * 10 - k / 8);
    }
    jpeg::ForwardDct(block);
    for (int k = 0; k < 64; ++k) {
      const int r = k / 8, c = k % 8;
      const double scaled = block[k] * jpeg::kDctScaleFactors[r] * jpeg::kDctScaleFactors[c];
      EXPECT_NEAR(scaled, DirectDct(in, r, c), 2e-3) << "trial " << trial << " k " << k;
    }
  }
}

TEST(JpegDct, FlatBlockHasOnlyADcTerm) {
  float block[64];
  for (float& v : block) v = -128.0f;  // all-black luminance
  jpeg::ForwardDct(block);
  EXPECT_EQ(block[0], -8192.0f);  // 64 * -128, exact in float
  for (int k = 1; k < 64; ++k) EXPECT_EQ(block[k], 0.0f) << k;
}

}  // namespace
