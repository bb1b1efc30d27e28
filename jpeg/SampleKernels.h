// The sampling kernels: colour conversion, forward DCT, quantization of
// 8x8 blocks and their coder symbols, once per instruction set. The portable scalar set is the
// reference; the SSE2 set (the x86 baseline) and the AVX2 set (chosen at
// run time when the processor has it) give bit-identical results, which
// the tests check block by block.
#pragma once

#include <cstdint>
#include <vector>

#include "BlockSymbols.h"
#include "ColourConversion.h"

namespace jpeg {

// Consecutive blocks of one block row, sampled for one to three channels
// that share the pixel area.
struct BlockSpan {
  PixelView pixels;       // the area, edge-replicated to whole blocks
  int x0 = 0, y0 = 0;     // top-left pixel of the first block
  int blocks = 0;         // blocks from there to the right
  Channel first = Channel::kY;
  int count = 1;          // channels first .. first + count - 1
  // Per channel: the divisor table in the transposed layout (64 floats,
  // 32-byte aligned), and the store the blocks' symbols go to, with room.
  const float* divisors[3] = {};
  SymbolSink* sinks[3] = {};
};

struct SampleKernels {
  const char* name;
  // Converts the 8x8 pixels at (x0, y0) into blocks[0..count-1] (natural
  // order, x + 8y) for the channels first, first + 1, ...
  void (*convert)(const PixelView& pixels, int x0, int y0, Channel first, int count,
                  float* const* blocks);
  // Forward DCT of one block in place, columns first, leaving the result
  // transposed (row r, column c at r + 8c). 32-byte aligned.
  void (*transform)(float* block);
  // Quantizes one transposed block: out[t] = block[t] * divisors[t]
  // rounded to nearest, halves to even (out 32-byte aligned); returns the
  // mask of the non-zero coefficients (bit t).
  uint64_t (*quantize)(const float* block, const float* divisors, int16_t* out);
  // Convert, transform, quantize and store as symbols: the pipeline's hot
  // loop.
  void (*sampleSpan)(const BlockSpan& span);
};

const SampleKernels& ScalarKernels();
// Null where the instruction set is not built in or the processor lacks it.
const SampleKernels* Sse2Kernels();
const SampleKernels* Avx2Kernels();
// The widest set this processor runs.
const SampleKernels& BestKernels();
// Every set this processor runs, the scalar reference first.
std::vector<const SampleKernels*> AvailableKernels();

}  // namespace jpeg
