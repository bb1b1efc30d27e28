// Symbol counting in the order the scans code the blocks.
#include "Statistics.h"

namespace jpeg {

void CountBlock(const int16_t* block, int& predictor, Frequencies& dc, Frequencies& ac) {
  const int diff = block[0] - predictor;
  predictor = block[0];
  ++dc[SizeCategory(diff)];
  uint64_t pending = NonZeroMask(block) & ~uint64_t{1};  // AC positions still to count
  int previous = 0;  // zig-zag position of the last counted coefficient
  while (pending) {
    const int z = LowestSetBit(pending);
    pending &= pending - 1;
    int run = z - previous - 1;
    for (; run > 15; run -= 16) ++ac[0xF0];
    ++ac[run * 16 + SizeCategory(block[z])];
    previous = z;
  }
  if (previous != 63) ++ac[0x00];
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
