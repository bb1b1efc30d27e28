// Grouping of components into scans and the order in which a scan visits
// its blocks. Statistics and coding walk the same order, so every symbol
// the coder emits has a code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Component.h"

namespace jpeg {

struct Frame {
  int width = 0, height = 0;  // X, Y
  int hmax = 1, vmax = 1;
  std::vector<Component> components;
};

// Component indices per scan, index order. A scan is closed at 4
// components or when the next would raise its blocks per MCU above 10.
std::vector<std::vector<int>> GroupScans(const std::vector<Component>& components);

// Calls visit(slot, block) for every block of the scan in coding order;
// slot is the position of the component in the scan, block the number of
// the block in that component's store (rows of blocks top to bottom), or
// -1 for a padding block of an interleaved scan (DC equal to the
// predictor, all AC zero). Every stored block is visited exactly once.
template <typename Visit>
void ForEachScanBlock(const Frame& frame, const std::vector<int>& scan, Visit&& visit) {
  if (scan.size() == 1) {
    const size_t blocks = frame.components[scan[0]].blocks.Count();
    for (size_t n = 0; n < blocks; ++n) visit(0, static_cast<ptrdiff_t>(n));
    return;
  }
  if (frame.hmax == 1 && frame.vmax == 1) {
    // Every MCU holds block n of each component and none is padding.
    size_t blocks = frame.components[scan[0]].blocks.Count();
    for (int index : scan) {
      if (frame.components[index].blocks.Count() < blocks) blocks = frame.components[index].blocks.Count();
    }
    for (size_t n = 0; n < blocks; ++n) {
      for (int slot = 0; slot < static_cast<int>(scan.size()); ++slot) {
        visit(slot, static_cast<ptrdiff_t>(n));
      }
    }
    return;
  }
  const int mx = CeilDiv(frame.width, 8 * frame.hmax);
  const int my = CeilDiv(frame.height, 8 * frame.vmax);
  struct Cursor {
    size_t count, rowSkip;
    int h, v, realColumns;
    size_t rowPointer[4];
  };
  std::vector<Cursor> cursors;
  for (int index : scan) {
    const Component& c = frame.components[index];
    const size_t rowBlocks = static_cast<size_t>(c.BlocksPerRow());
    Cursor cur{c.blocks.Count(), (c.v - 1) * rowBlocks, c.h, c.v, c.BlocksPerRow() % c.h, {}};
    if (cur.realColumns == 0) cur.realColumns = c.h;
    for (int v = 0; v < c.v; ++v) cur.rowPointer[v] = v * rowBlocks;
    cursors.push_back(cur);
  }
  for (int my_ = 0; my_ < my; ++my_) {
    const bool lastRow = my_ == my - 1;
    for (int mx_ = 0; mx_ < mx; ++mx_) {
      const bool lastColumn = mx_ == mx - 1;
      for (int slot = 0; slot < static_cast<int>(cursors.size()); ++slot) {
        Cursor& cur = cursors[slot];
        for (int v = 0; v < cur.v; ++v) {
          for (int h = 0; h < cur.h; ++h) {
            const bool padding = (lastColumn && h >= cur.realColumns) ||
                                 (lastRow && cur.rowPointer[v] >= cur.count);
            if (padding) {
              visit(slot, ptrdiff_t{-1});
            } else {
              visit(slot, static_cast<ptrdiff_t>(cur.rowPointer[v]));
              cur.rowPointer[v] += 1;
            }
          }
        }
      }
    }
    for (Cursor& cur : cursors) {
      for (int v = 0; v < cur.v; ++v) cur.rowPointer[v] += cur.rowSkip;
    }
  }
}

}  // namespace jpeg
