// One quantized block to its run/size symbols (the standard's Annex F
// order): the kernels' last step, compiled by each kernel set for its own
// instruction set, hence internal linkage (see KernelFormulas.h).
#pragma once

#include <array>
#include <cstdint>

#include "BlockSymbols.h"
#include "CoefficientBits.h"

namespace jpeg {

// Transposed position t = r + 8c of each zig-zag number.
extern const std::array<uint8_t, 64> kTransposedOfZigZag;
// The bits of byte i of a transposed mask (positions 8i..8i+7), renumbered
// in zig-zag order.
extern const std::array<std::array<uint64_t, 256>, 8> kZigZagBitsOfByte;

namespace {

constexpr uint32_t kZeroRunSymbol = 0xF0;  // sixteen zeros
constexpr uint32_t kEndOfBlockSymbol = 0x00;

// The mask of non-zero AC coefficients renumbered in zig-zag order, eight
// bits at a time without a branch.
inline uint64_t ZigZagMask(uint64_t transposed) {
  transposed &= ~uint64_t{1};
  uint64_t zigzag = 0;
  for (int i = 0; i < 8; ++i) zigzag |= kZigZagBitsOfByte[i][(transposed >> (8 * i)) & 0xFF];
  return zigzag;
}

// transposed: 64 coefficients, row r and column c at r + 8c; nonZero:
// bit t set where transposed[t] is not zero. The sink has room.
inline void AppendBlockSymbols(const int16_t* transposed, uint64_t nonZero, SymbolSink& sink) {
  sink.dc[sink.count] = transposed[0];
  uint32_t* entry = sink.entries + sink.used;
  uint32_t* const ac = sink.acFrequencies;
  int previous = 0;  // zig-zag number of the last coded coefficient
  for (uint64_t pending = ZigZagMask(nonZero); pending; pending &= pending - 1) {
    const int z = LowestSetBit(pending);
    int run = z - previous - 1;
    for (; run > 15; run -= 16) {
      *entry++ = kZeroRunSymbol;
      ++ac[kZeroRunSymbol];
    }
    const int value = transposed[kTransposedOfZigZag[z]];
    const int s = BitLength(static_cast<uint32_t>(value < 0 ? -value : value));
    const uint32_t symbol = static_cast<uint32_t>(run * 16 + s);
    *entry++ = symbol | AppendedBits(value, s) << 8;
    ++ac[symbol];
    previous = z;
  }
  if (previous != 63) {
    *entry++ = kEndOfBlockSymbol;
    ++ac[kEndOfBlockSymbol];
  }
  sink.used = static_cast<uint32_t>(entry - sink.entries);
  sink.ends[sink.count++] = sink.used;
}

}  // namespace
}  // namespace jpeg
