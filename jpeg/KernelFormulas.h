// The colour formulas and the DCT flow graph, written once as templates
// over the value type: a float computes one value, a vector type (four or
// eight lanes with the ordinary operators) several side by side. Every
// lane performs exactly the operations of the scalar expression, in the
// same order, with the same single-precision rounding, so all instruction
// sets give identical bits.
//
// Internal linkage on purpose: each kernel file is compiled for its own
// instruction set, and an inline function shared between them could be
// merged by the linker into the copy built for the wider one.
#pragma once

namespace jpeg {
namespace {

// Left to right in single precision with single-precision constants:
//   Y  = 0.299 R + 0.587 G + 0.114 B - 128
//   Cb = -0.16874 R - 0.33126 G + 0.5 B        (the +128 and the level
//   Cr = 0.5 R - 0.41869 G - 0.08131 B          shift of 128 cancel)
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

constexpr float kC4 = 0.707106781186548f;     // cos(4 pi / 16)
constexpr float kC6S = 0.382683432365091f;    // cos(6 pi / 16)
constexpr float kC2mC6 = 0.541196100146196f;  // cos(2 pi / 16) - cos(6 pi / 16)
constexpr float kC2pC6 = 1.30656296487638f;   // cos(2 pi / 16) + cos(6 pi / 16)

// One 1-D pass of the Arai-Agui-Nakajima scaled DCT: d[i] is sample i of
// the line(s); the outputs replace the inputs, left scaled.
template <typename T>
inline void FlowGraph(T (&d)[8]) {
  const T tmp0 = d[0] + d[7];
  const T tmp7 = d[0] - d[7];
  const T tmp1 = d[1] + d[6];
  const T tmp6 = d[1] - d[6];
  const T tmp2 = d[2] + d[5];
  const T tmp5 = d[2] - d[5];
  const T tmp3 = d[3] + d[4];
  const T tmp4 = d[3] - d[4];

  // Even part.
  const T tmp10 = tmp0 + tmp3;
  const T tmp13 = tmp0 - tmp3;
  const T tmp11 = tmp1 + tmp2;
  const T tmp12 = tmp1 - tmp2;
  d[0] = tmp10 + tmp11;
  d[4] = tmp10 - tmp11;
  const T z1 = (tmp12 + tmp13) * kC4;
  d[2] = tmp13 + z1;
  d[6] = tmp13 - z1;

  // Odd part.
  const T otmp10 = tmp4 + tmp5;
  const T otmp11 = tmp5 + tmp6;
  const T otmp12 = tmp6 + tmp7;
  const T z5 = (otmp10 - otmp12) * kC6S;
  const T z2 = kC2mC6 * otmp10 + z5;
  const T z4 = kC2pC6 * otmp12 + z5;
  const T z3 = otmp11 * kC4;
  const T z11 = tmp7 + z3;
  const T z13 = tmp7 - z3;
  d[5] = z13 + z2;
  d[3] = z13 - z2;
  d[1] = z11 + z4;
  d[7] = z11 - z4;
}

}  // namespace
}  // namespace jpeg
