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
// slot is the position of the component in the scan, block points at 64
// zig-zag coefficients, or is null for a padding block of an interleaved
// scan (DC equal to the predictor, all AC zero).
template <typename Visit>
void ForEachScanBlock(const Frame& frame, const std::vector<int>& scan, Visit&& visit) {
  if (scan.size() == 1) {
    const std::vector<int16_t>& coef = frame.components[scan[0]].coefficients;
    for (size_t pos = 0; pos + 64 <= coef.size(); pos += 64) visit(0, coef.data() + pos);
    return;
  }
  if (frame.hmax == 1 && frame.vmax == 1) {
    // Every MCU holds block n of each component and none is padding.
    const size_t blocks = frame.components[scan[0]].coefficients.size() / 64;
    for (size_t n = 0; n < blocks; ++n) {
      for (int slot = 0; slot < static_cast<int>(scan.size()); ++slot) {
        visit(slot, frame.components[scan[slot]].coefficients.data() + 64 * n);
      }
    }
    return;
  }
  const int mx = CeilDiv(frame.width, 8 * frame.hmax);
  const int my = CeilDiv(frame.height, 8 * frame.vmax);
  struct Cursor {
    const int16_t* base;
    size_t size, rowSkip;
    int h, v, realColumns;
    size_t rowPointer[4];
  };
  std::vector<Cursor> cursors;
  for (int index : scan) {
    const Component& c = frame.components[index];
    const size_t rowBlocks = static_cast<size_t>(c.BlocksPerRow()) * 64;
    Cursor cur{c.coefficients.data(), c.coefficients.size(),
               (c.v - 1) * rowBlocks, c.h, c.v, c.BlocksPerRow() % c.h, {}};
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
                                 (lastRow && cur.rowPointer[v] >= cur.size);
            if (padding) {
              visit(slot, nullptr);
            } else {
              visit(slot, cur.base + cur.rowPointer[v]);
              cur.rowPointer[v] += 64;
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
