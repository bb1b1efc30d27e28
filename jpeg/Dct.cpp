// The AAN flow graph, one 1-D pass per line of eight samples. The column
// pass treats eight columns side by side (a contiguous row of the block is
// one "lane" set), which lets the compiler use vector registers without
// changing a single rounding: every lane does the same float operations in
// the same order as the one-line graph.
#include "Dct.h"

namespace jpeg {

namespace {

constexpr float kC4 = 0.707106781186548f;     // cos(4 pi / 16)
constexpr float kC6S = 0.382683432365091f;    // cos(6 pi / 16)
constexpr float kC2mC6 = 0.541196100146196f;  // cos(2 pi / 16) - cos(6 pi / 16)
constexpr float kC2pC6 = 1.30656296487638f;   // cos(2 pi / 16) + cos(6 pi / 16)

// One 1-D transform of eight lanes at a time: d[i][lane] is sample i of the
// line in that lane. Outputs replace the inputs in place.
inline void Butterfly8(float (*d)[8]) {
  for (int lane = 0; lane < 8; ++lane) {
    const float tmp0 = d[0][lane] + d[7][lane];
    const float tmp7 = d[0][lane] - d[7][lane];
    const float tmp1 = d[1][lane] + d[6][lane];
    const float tmp6 = d[1][lane] - d[6][lane];
    const float tmp2 = d[2][lane] + d[5][lane];
    const float tmp5 = d[2][lane] - d[5][lane];
    const float tmp3 = d[3][lane] + d[4][lane];
    const float tmp4 = d[3][lane] - d[4][lane];

    // Even part.
    const float tmp10 = tmp0 + tmp3;
    const float tmp13 = tmp0 - tmp3;
    const float tmp11 = tmp1 + tmp2;
    const float tmp12 = tmp1 - tmp2;
    d[0][lane] = tmp10 + tmp11;
    d[4][lane] = tmp10 - tmp11;
    const float z1 = (tmp12 + tmp13) * kC4;
    d[2][lane] = tmp13 + z1;
    d[6][lane] = tmp13 - z1;

    // Odd part.
    const float otmp10 = tmp4 + tmp5;
    const float otmp11 = tmp5 + tmp6;
    const float otmp12 = tmp6 + tmp7;
    const float z5 = (otmp10 - otmp12) * kC6S;
    const float z2 = kC2mC6 * otmp10 + z5;
    const float z4 = kC2pC6 * otmp12 + z5;
    const float z3 = otmp11 * kC4;
    const float z11 = tmp7 + z3;
    const float z13 = tmp7 - z3;
    d[5][lane] = z13 + z2;
    d[3][lane] = z13 - z2;
    d[1][lane] = z11 + z4;
    d[7][lane] = z11 - z4;
  }
}

inline void Transpose(float* block) {
  for (int r = 0; r < 8; ++r) {
    for (int c = r + 1; c < 8; ++c) {
      const float t = block[r * 8 + c];
      block[r * 8 + c] = block[c * 8 + r];
      block[c * 8 + r] = t;
    }
  }
}

}  // namespace

void ForwardDct(float* block) {
  auto* lines = reinterpret_cast<float (*)[8]>(block);
  Butterfly8(lines);  // columns: sample i of column c is block[c + 8 i]
  Transpose(block);
  Butterfly8(lines);  // rows, now laid out as columns
  Transpose(block);
}

}  // namespace jpeg
