// Symbol statistics of the sampled blocks, the input of the optimal
// Huffman tables.
#pragma once

#include <cstdint>

#include "Huffman.h"
#include "Scans.h"

namespace jpeg {

// Frequencies per table slot: index 0 luminance, 1 chrominance.
struct SymbolStatistics {
  Frequencies dc[2]{};
  Frequencies ac[2]{};
};

// The AC symbols come from the stores, counted when the blocks were
// sampled; the DC differences are counted here, visiting the blocks in
// coding order with padding blocks included. Component 0 counts into slot
// 0, components 1 and 2 into slot 1 (each with its own DC predictor).
SymbolStatistics CountSymbols(const Frame& frame, const std::vector<std::vector<int>>& scans);

}  // namespace jpeg
