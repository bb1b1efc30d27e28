// Sampling from a device context through a bottom-up 24-bit DIB section of
// the picture's size rounded up to whole blocks. Each component's area is
// the last ch8 rows of the DIB (top-down numbering); the area is drawn once
// per distinct component size.
#include "HdcSampler.h"

#include <common/UniqueHandle.h>

namespace jpeg {

namespace {

struct Dib {
  HDC dc;
  int height8;  // H8
  uint8_t* bits;
  ptrdiff_t stride;
};

void DrawComponentArea(const Dib& dib, const Component& c, HDC source, LONG width,
                       LONG height, LONG srcLeft, LONG srcTop) {
  const int top = dib.height8 - c.ch8;
  if (c.cw == width && c.ch == height) {
    ::BitBlt(dib.dc, 0, top, width, height, source, srcLeft, srcTop, SRCCOPY);
  } else {
    ::StretchBlt(dib.dc, 0, top, c.cw, c.ch, source, srcLeft, srcTop, width, height, SRCCOPY);
  }
  for (int x = c.cw; x < c.cw8; ++x) ::BitBlt(dib.dc, x, top, 1, c.ch, dib.dc, x - 1, top, SRCCOPY);
  for (int y = top + c.ch; y < dib.height8; ++y) {
    ::BitBlt(dib.dc, 0, y, c.cw8, 1, dib.dc, 0, y - 1, SRCCOPY);
  }
  ::GdiFlush();
}

PixelView AreaView(const Dib& dib, const Component& c) {
  // Top-down row H8 - ch8 is bottom-up memory row ch8 - 1.
  return PixelView{dib.bits + dib.stride * (c.ch8 - 1), -dib.stride};
}

}  // namespace

LONG SampleDeviceContext(JpegEncoder& encoder, HDC source, LONG width, LONG height,
                         LONG srcLeft, LONG srcTop) {
  if (width < 1 || height < 1 || width > JpegEncoder::kMaxDimension ||
      height > JpegEncoder::kMaxDimension) {
    return 1;
  }
  common::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return 1;
  const int width8 = RoundUp8(width), height8 = RoundUp8(height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width8;
  info.bmiHeader.biHeight = height8;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return 1;
  common::SelectionGuard selection(dc.get(), dib.get());
  if (!::SetStretchBltMode(dc.get(), HALFTONE)) ::SetStretchBltMode(dc.get(), COLORONCOLOR);
  ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);  // required after choosing HALFTONE

  encoder.BeginSampling(width, height);
  const Dib target{dc.get(), height8, static_cast<uint8_t*>(bits), (3 * width8 + 3) & ~3};
  const std::vector<Component>& components = encoder.GetFrame().components;
  const int count = static_cast<int>(components.size());
  for (int i = 0, end; i < count; i = end) {
    // Components of one size share the area: drawn once, sampled together.
    const Component& c = components[i];
    end = SameSizeRunEnd(components, i);
    DrawComponentArea(target, c, source, width, height, srcLeft, srcTop);
    encoder.SampleComponents(i, end - i, AreaView(target, c));
  }
  return 0;
}

}  // namespace jpeg
