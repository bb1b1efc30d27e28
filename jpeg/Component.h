// One colour component of the frame: identifier, sampling factors, table
// index, geometry and its quantized blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BlockSymbols.h"

namespace jpeg {

struct Component {
  int id = 0;  // C, 1-based
  int h = 1;   // horizontal sampling factor 1..4
  int v = 1;   // vertical sampling factor 1..4
  int tq = 0;  // quantization table index (also selects the Huffman tables)

  // Geometry of the component in a picture of X x Y (set when sampling).
  int cw = 0, ch = 0;    // ceil(X*H/Hmax), ceil(Y*V/Vmax)
  int cw8 = 0, ch8 = 0;  // padded to multiples of 8
  int BlocksPerRow() const { return cw8 / 8; }
  int BlockRows() const { return ch8 / 8; }

  // The quantized blocks, rows of blocks top to bottom.
  BlockSymbols blocks;
};

inline int CeilDiv(int a, int b) { return (a + b - 1) / b; }
inline int RoundUp8(int a) { return (a + 7) & ~7; }

// Fills cw, ch, cw8, ch8 for a picture of width x height.
inline void SetGeometry(Component& c, int width, int height, int hmax, int vmax) {
  c.cw = CeilDiv(width * c.h, hmax);
  c.ch = CeilDiv(height * c.v, vmax);
  c.cw8 = RoundUp8(c.cw);
  c.ch8 = RoundUp8(c.ch);
}

// The end of the run of components from `first` on that have the same
// size as it, and so share one pixel area.
inline int SameSizeRunEnd(const std::vector<Component>& components, int first) {
  int end = first + 1;
  while (end < static_cast<int>(components.size()) && components[end].cw == components[first].cw &&
         components[end].ch == components[first].ch) {
    ++end;
  }
  return end;
}

}  // namespace jpeg
