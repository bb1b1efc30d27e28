// Symbol statistics of the sampled coefficients, the input of the optimal
// Huffman tables.
#pragma once

#include <cstdint>

#include "CoefficientBits.h"
#include "Huffman.h"
#include "Scans.h"

namespace jpeg {

// Frequencies per table slot: index 0 luminance, 1 chrominance.
struct SymbolStatistics {
  Frequencies dc[2]{};
  Frequencies ac[2]{};
};

// Counts the DC differences and AC run/size symbols of one block.
void CountBlock(const int16_t* block, int& predictor, Frequencies& dc, Frequencies& ac);

// Visits the blocks in coding order, padding blocks included. Component 0
// counts into slot 0, components 1 and 2 into slot 1 (each with its own DC
// predictor).
SymbolStatistics CountSymbols(const Frame& frame,
                              const std::vector<std::vector<int>>& scans);

}  // namespace jpeg
