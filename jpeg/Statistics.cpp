// Symbol counting in the order the scans code the blocks.
#include "Statistics.h"

#include "CoefficientBits.h"

namespace jpeg {

SymbolStatistics CountSymbols(const Frame& frame, const std::vector<std::vector<int>>& scans) {
  SymbolStatistics stats;
  for (const Component& c : frame.components) {
    const Frequencies& ac = c.blocks.AcFrequencies();
    for (size_t i = 0; i < ac.size(); ++i) stats.ac[c.tq][i] += ac[i];
  }
  for (const std::vector<int>& scan : scans) {
    int predictors[4] = {0, 0, 0, 0};
    ForEachScanBlock(frame, scan, [&](int slot, ptrdiff_t block) {
      const Component& c = frame.components[scan[slot]];
      if (block >= 0) {
        const int dc = c.blocks.Dc(static_cast<size_t>(block));
        ++stats.dc[c.tq][SizeCategory(dc - predictors[slot])];
        predictors[slot] = dc;
      } else {  // padding: DC difference 0, then end of block
        ++stats.dc[c.tq][0];
        ++stats.ac[c.tq][0x00];
      }
    });
  }
  return stats;
}

}  // namespace jpeg
