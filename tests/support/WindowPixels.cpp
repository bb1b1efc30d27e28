// Reading a window's pixels.
#include "WindowPixels.h"

#include "common/UniqueHandle.h"

namespace testing_support {

common::UniqueBitmap SquareWithCorners(int size, COLORREF fill, COLORREF corner) {
  common::WindowDc screen(nullptr);
  common::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), size, size));
  common::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  common::SelectionGuard selected(memory.get(), bitmap.get());
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool isCorner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
      ::SetPixel(memory.get(), x, y, isCorner ? corner : fill);
    }
  }
  return bitmap;
}

WindowPixels::WindowPixels(HWND window, bool wholeWindow) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT rect = {};
  if (wholeWindow) {
    ::GetWindowRect(window, &rect);
    ::OffsetRect(&rect, -rect.left, -rect.top);
  } else {
    ::GetClientRect(window, &rect);
  }
  if (rect.right <= 0 || rect.bottom <= 0) return;
  common::WindowDc source(window, wholeWindow);
  common::UniqueMemoryDc memory(::CreateCompatibleDC(source.get()));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), rect.right, -rect.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!source || !memory || !dib) return;
  {
    common::SelectionGuard selected(memory.get(), dib.get());
    ::BitBlt(memory.get(), 0, 0, rect.right, rect.bottom, source.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  width_ = rect.right;
  height_ = rect.bottom;
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + static_cast<size_t>(width_) * height_);
}

COLORREF WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t bgrx = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

int WindowPixels::Count(const RECT& rect, COLORREF color) const {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) count += At(x, y) == color;
  }
  return count;
}

}  // namespace testing_support
