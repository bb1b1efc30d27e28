// Symbol counting in the order the scans code the blocks.
#include "Statistics.h"

namespace jpeg {

void CountBlock(const int16_t* block, int& predictor, Frequencies& dc, Frequencies& ac) {
  const int diff = block[0] - predictor;
  predictor = block[0];
  ++dc[SizeCategory(diff)];
  int run = 0;
  for (int z = 1; z < 64; ++z) {
    const int value = block[z];
    if (value == 0) {
      ++run;
      continue;
    }
    while (run > 15) {
      ++ac[0xF0];
      run -= 16;
    }
    ++ac[run * 16 + SizeCategory(value)];
    run = 0;
  }
  if (run > 0) ++ac[0x00];
}

SymbolStatistics CountSymbols(const Frame& frame,
                              const std::vector<std::vector<int>>& scans) {
  SymbolStatistics stats;
  for (const std::vector<int>& scan : scans) {
    int predictors[4] = {0, 0, 0, 0};
    ForEachScanBlock(frame, scan, [&](int slot, const int16_t* block) {
      const int table = frame.components[scan[slot]].tq;
      if (block) {
        CountBlock(block, predictors[slot], stats.dc[table], stats.ac[table]);
      } else {  // padding: DC difference 0, then end of block
        ++stats.dc[table][0];
        ++stats.ac[table][0x00];
      }
    });
  }
  return stats;
}

}  // namespace jpeg
