// The AAN flow graph, written once as a template over the value type: a
// float transforms one line, Lanes4 four lines side by side. The SSE2 path
// runs the column pass on the rows of the block as lanes (eight columns in
// two vectors), transposes in registers, and runs the row pass the same
// way; each lane does the float operations of the one-line graph in the
// same order, so both paths round identically.
#include "Dct.h"

#include "FloatLanes.h"

namespace jpeg {

namespace {

constexpr float kC4 = 0.707106781186548f;     // cos(4 pi / 16)
constexpr float kC6S = 0.382683432365091f;    // cos(6 pi / 16)
constexpr float kC2mC6 = 0.541196100146196f;  // cos(2 pi / 16) - cos(6 pi / 16)
constexpr float kC2pC6 = 1.30656296487638f;   // cos(2 pi / 16) + cos(6 pi / 16)

// One 1-D transform: d[i] is sample i of the line(s); outputs replace the
// inputs in place.
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

#if JPEG_USE_SSE2

// The block as two halves of eight row vectors: left[i] holds columns 0..3
// of row i, right[i] columns 4..7.
struct Rows {
  Lanes4 left[8], right[8];
};

inline Rows LoadRows(const float* block) {
  Rows r;
  for (int i = 0; i < 8; ++i) {
    r.left[i] = Lanes4::Load(block + 8 * i);
    r.right[i] = Lanes4::Load(block + 8 * i + 4);
  }
  return r;
}

inline void StoreRows(const Rows& r, float* block) {
  for (int i = 0; i < 8; ++i) {
    r.left[i].Store(block + 8 * i);
    r.right[i].Store(block + 8 * i + 4);
  }
}

// Transposes the 4x4 quadrants in place and swaps the off-diagonal ones.
inline void Transpose(Rows& r) {
  _MM_TRANSPOSE4_PS(r.left[0].v, r.left[1].v, r.left[2].v, r.left[3].v);
  _MM_TRANSPOSE4_PS(r.right[4].v, r.right[5].v, r.right[6].v, r.right[7].v);
  _MM_TRANSPOSE4_PS(r.right[0].v, r.right[1].v, r.right[2].v, r.right[3].v);
  _MM_TRANSPOSE4_PS(r.left[4].v, r.left[5].v, r.left[6].v, r.left[7].v);
  for (int i = 0; i < 4; ++i) {
    const Lanes4 upperRight = r.right[i];
    r.right[i] = r.left[4 + i];
    r.left[4 + i] = upperRight;
  }
}

// Column pass, transpose, row pass: leaves the result transposed.
inline Rows TransformRows(const float* block) {
  Rows r = LoadRows(block);
  FlowGraph(r.left);  // columns 0..3, sample i in row i
  FlowGraph(r.right);
  Transpose(r);
  FlowGraph(r.left);  // rows 0..3, now laid out as columns
  FlowGraph(r.right);
  return r;
}

#else

// Transforms the eight lines that start at block[line * lineStep], sample
// i of a line at i * sampleStep.
void TransformLines(float* block, int lineStep, int sampleStep) {
  for (int line = 0; line < 8; ++line) {
    float d[8];
    float* base = block + line * lineStep;
    for (int i = 0; i < 8; ++i) d[i] = base[i * sampleStep];
    FlowGraph(d);
    for (int i = 0; i < 8; ++i) base[i * sampleStep] = d[i];
  }
}

void Transpose(float* block) {
  for (int r = 0; r < 8; ++r) {
    for (int c = r + 1; c < 8; ++c) {
      const float t = block[r * 8 + c];
      block[r * 8 + c] = block[c * 8 + r];
      block[c * 8 + r] = t;
    }
  }
}

#endif

}  // namespace

void ForwardDct(float* block) {
#if JPEG_USE_SSE2
  Rows r = TransformRows(block);
  Transpose(r);
  StoreRows(r, block);
#else
  TransformLines(block, 1, 8);  // columns: sample i of column c is block[c + 8 i]
  TransformLines(block, 8, 1);  // rows
#endif
}

void ForwardDctTransposed(float* block) {
#if JPEG_USE_SSE2
  StoreRows(TransformRows(block), block);
#else
  ForwardDct(block);
  Transpose(block);
#endif
}

}  // namespace jpeg
