// Sampling from a device context through a bottom-up 24-bit DIB section of
// the picture's size rounded up to whole blocks. Each component's area is
// the last ch8 rows of the DIB (top-down numbering); the area is drawn once
// per distinct component size.
#include "HdcSampler.h"

#include <common/UniqueHandle.h>

#include <cstring>
#include <vector>

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

// The 24-bit DIB section selected into the source DC when every component
// has the picture's size and the rectangle lies inside the bitmap: a 1:1
// copy of that rectangle gives the same pixels as its bits, so they are
// read directly, with the edges replicated in memory.
bool DirectSource(HDC source, LONG width, LONG height, LONG srcLeft, LONG srcTop,
                  const Frame& frame, PixelView& view) {
  for (const Component& c : frame.components) {
    if (CeilDiv(width * c.h, frame.hmax) != width || CeilDiv(height * c.v, frame.vmax) != height) {
      return false;
    }
  }
  // Logical coordinates must be the bitmap's pixels.
  POINT windowOrigin{}, viewportOrigin{};
  if (::GetMapMode(source) != MM_TEXT || ::GetGraphicsMode(source) != GM_COMPATIBLE ||
      ::GetLayout(source) != 0 || !::GetWindowOrgEx(source, &windowOrigin) ||
      !::GetViewportOrgEx(source, &viewportOrigin) || windowOrigin.x != 0 ||
      windowOrigin.y != 0 || viewportOrigin.x != 0 || viewportOrigin.y != 0) {
    return false;
  }
  HGDIOBJ bitmap = ::GetCurrentObject(source, OBJ_BITMAP);
  DIBSECTION section{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return false;
  const BITMAPINFOHEADER& header = section.dsBmih;
  if (!section.dsBm.bmBits || header.biBitCount != 24 || header.biCompression != BI_RGB ||
      section.dsBm.bmWidthBytes <= 0) {
    return false;
  }
  const LONG bitmapHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (srcLeft < 0 || srcTop < 0 || width > header.biWidth - srcLeft ||
      height > bitmapHeight - srcTop) {
    return false;
  }
  ::GdiFlush();
  // The header need not tell the row order: a pixel where the two orders
  // differ is read through the DC. When none differs, either order holds.
  const ptrdiff_t stride = section.dsBm.bmWidthBytes;
  const uint8_t* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
  const size_t rowBytes = 3 * static_cast<size_t>(header.biWidth);
  bool topDown = false;
  for (LONG y = 0; y < bitmapHeight / 2; ++y) {
    const uint8_t* first = bits + stride * y;
    const uint8_t* last = bits + stride * (bitmapHeight - 1 - y);
    if (std::memcmp(first, last, rowBytes) == 0) continue;
    LONG x = 0;
    while (std::memcmp(first + 3 * x, last + 3 * x, 3) == 0) ++x;
    const COLORREF seen = ::GetPixel(source, x, y);
    if (seen == CLR_INVALID) return false;
    const COLORREF asFirst = RGB(first[3 * x + 2], first[3 * x + 1], first[3 * x]);
    const COLORREF asLast = RGB(last[3 * x + 2], last[3 * x + 1], last[3 * x]);
    if (seen == asFirst) {
      topDown = true;
    } else if (seen != asLast) {
      return false;
    }
    break;
  }
  if (topDown) {
    view = PixelView{bits + stride * srcTop + 3 * srcLeft, stride};
  } else {
    view = PixelView{bits + stride * (bitmapHeight - 1 - srcTop) + 3 * srcLeft, -stride};
  }
  return true;
}

// The width8 x height8 area of a view of width x height pixels, the last
// column and row repeated.
std::vector<uint8_t> PaddedCopy(const PixelView& view, LONG width, LONG height, PixelView& padded) {
  const int width8 = RoundUp8(width), height8 = RoundUp8(height);
  const ptrdiff_t stride = 3 * static_cast<ptrdiff_t>(width8);
  std::vector<uint8_t> area(static_cast<size_t>(stride) * height8);
  for (int y = 0; y < height8; ++y) {
    uint8_t* row = area.data() + stride * y;
    std::memcpy(row, view.Row(y < height ? y : height - 1), 3 * static_cast<size_t>(width));
    for (int x = width; x < width8; ++x) std::memcpy(row + 3 * x, row + 3 * (width - 1), 3);
  }
  padded = PixelView{area.data(), stride};
  return area;
}

}  // namespace

LONG SampleDeviceContext(JpegEncoder& encoder, HDC source, LONG width, LONG height,
                         LONG srcLeft, LONG srcTop) {
  if (width < 1 || height < 1 || width > JpegEncoder::kMaxDimension ||
      height > JpegEncoder::kMaxDimension) {
    return 1;
  }
  const std::vector<Component>& components = encoder.GetFrame().components;
  const int count = static_cast<int>(components.size());
  PixelView direct;
  if (DirectSource(source, width, height, srcLeft, srcTop, encoder.GetFrame(), direct)) {
    encoder.BeginSampling(width, height);
    std::vector<uint8_t> area;
    if (width % 8 != 0 || height % 8 != 0) area = PaddedCopy(direct, width, height, direct);
    for (int i = 0, end; i < count; i = end) {
      end = SameSizeRunEnd(components, i);
      encoder.SampleComponents(i, end - i, direct);
    }
    return 0;
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
