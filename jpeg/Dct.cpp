// The scalar DCT: the flow graph applied to one line at a time.
#include "Dct.h"

#include "KernelFormulas.h"

namespace jpeg {

namespace {

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

}  // namespace

void ForwardDct(float* block) {
  TransformLines(block, 1, 8);  // columns: sample i of column c is block[c + 8 i]
  TransformLines(block, 8, 1);  // rows
}

void ForwardDctTransposed(float* block) {
  ForwardDct(block);
  Transpose(block);
}

}  // namespace jpeg
