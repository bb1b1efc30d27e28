// Optimal Huffman tables from symbol frequencies (the standard's Annex K.2)
// and their expansion into per-symbol codes (Annex C), with validation.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace jpeg {

// Counters for symbols 0..255 and the reserved entry 256.
using Frequencies = std::array<uint32_t, 257>;

struct HuffmanSpec {
  std::array<uint8_t, 17> bits{};  // bits[L]: number of codes of length L (1..16)
  std::vector<uint8_t> huffval;    // symbols in order of increasing code length
};

struct HuffmanCodes {
  HuffmanSpec spec;
  // Per symbol: its code length as the value of the top bit, 2^(length-1)
  // (0 without a code), and the code itself (-1 without a code).
  std::array<uint16_t, 256> lengthMask{};
  std::array<int32_t, 256> code{};
  // Plain length (0 without a code), for the coder's bit buffer.
  std::array<uint8_t, 256> length{};
};

// Builds BITS and HUFFVAL; no code is all ones and none is longer than 16.
HuffmanSpec GenerateOptimalTable(Frequencies frequencies);

// Assigns the codes; raises "Bad Huffman Table" for more than 256 codes, a
// symbol above largestSymbol, a repeated symbol, too many codes of one
// length, or an empty table.
HuffmanCodes ExpandTable(const HuffmanSpec& spec, int largestSymbol);

}  // namespace jpeg
