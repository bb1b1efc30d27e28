// The pixels a window shows, read by BitBlt from its DC into a DIB
// section (the reliable way under Wine, also for popups and children).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/UniqueHandle.h"

namespace testing_support {

// A size x size screen-compatible bitmap of fill whose four corner pixels
// are corner (to test transparent colours).
common::UniqueBitmap SquareWithCorners(int size, COLORREF fill, COLORREF corner);

class WindowPixels {
 public:
  // Repaints window and reads its client area (or the whole window).
  explicit WindowPixels(HWND window, bool wholeWindow = false);

  bool Valid() const { return !pixels_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // COLORREF of the pixel; CLR_INVALID outside.
  COLORREF At(int x, int y) const;
  // Pixels of exactly color inside rect.
  int Count(const RECT& rect, COLORREF color) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;  // top-down BGRX
};

}  // namespace testing_support
