// Device pixel formats to 24-bit frames. YUV uses the BT.601 studio range
// in 16.16 fixed point; a table per component keeps the inner loop to
// lookups and additions.
#include "media/PixelConversion.h"

#include <cstring>

namespace media {
namespace {

struct YuvTables {
  int y[256], rv[256], gu[256], gv[256], bu[256];
  YuvTables() {
    for (int i = 0; i < 256; ++i) {
      y[i] = 76309 * (i - 16);  // 1.164
      rv[i] = 104597 * (i - 128);  // 1.596
      gu[i] = -25675 * (i - 128);  // 0.391
      gv[i] = -53279 * (i - 128);  // 0.813
      bu[i] = 132201 * (i - 128);  // 2.018
    }
  }
};

const YuvTables& Tables() {
  static const YuvTables tables;
  return tables;
}

inline std::uint8_t Clamp(int value) {
  value = (value + 32768) >> 16;
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

inline void PutYuv(const YuvTables& t, int y, int u, int v, std::uint8_t* bgr) {
  const int luma = t.y[y];
  bgr[0] = Clamp(luma + t.bu[u]);
  bgr[1] = Clamp(luma + t.gu[u] + t.gv[v]);
  bgr[2] = Clamp(luma + t.rv[v]);
}

void Yuy2(const std::uint8_t* source, Frame& out) {
  const YuvTables& t = Tables();
  const int width = out.Width();
  for (int y = 0; y < out.Height(); ++y) {
    const std::uint8_t* in = source + static_cast<std::size_t>(y) * width * 2;
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x + 1 < width; x += 2, in += 4) {
      PutYuv(t, in[0], in[1], in[3], row + 3 * x);
      PutYuv(t, in[2], in[1], in[3], row + 3 * x + 3);
    }
    if (width % 2) PutYuv(t, in[0], in[1], in[3], row + 3 * (width - 1));
  }
}

void Nv12(const std::uint8_t* source, Frame& out) {
  const YuvTables& t = Tables();
  const int width = out.Width(), height = out.Height();
  const std::uint8_t* chroma = source + static_cast<std::size_t>(width) * height;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* luma = source + static_cast<std::size_t>(y) * width;
    const std::uint8_t* uv = chroma + static_cast<std::size_t>(y / 2) * width;
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x < width; ++x) PutYuv(t, luma[x], uv[x & ~1], uv[(x & ~1) + 1], row + 3 * x);
  }
}

void Rgb(int bytesPerPixel, bool topDown, const std::uint8_t* source, Frame& out) {
  const int width = out.Width(), height = out.Height();
  const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~static_cast<std::size_t>(3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = source + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    std::uint8_t* row = out.Row(y);
    if (bytesPerPixel == 3) {
      std::memcpy(row, in, static_cast<std::size_t>(width) * 3);
      continue;
    }
    for (int x = 0; x < width; ++x) std::memcpy(row + 3 * x, in + 4 * x, 3);
  }
}

}  // namespace

std::size_t BufferBytes(PixelFormat format, int width, int height) noexcept {
  const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
  switch (format) {
    case PixelFormat::kRgb24: return ((w * 3 + 3) & ~static_cast<std::size_t>(3)) * h;
    case PixelFormat::kRgb32: return w * 4 * h;
    case PixelFormat::kYuy2: return ((w + 1) & ~static_cast<std::size_t>(1)) * 2 * h;
    case PixelFormat::kNv12: return w * h + w * ((h + 1) / 2);
  }
  return 0;
}

HRESULT ConvertToFrame(PixelFormat format, bool topDown, const std::uint8_t* source, std::size_t bytes,
                       Frame& out) noexcept {
  if (out.Empty() || !source || bytes < BufferBytes(format, out.Width(), out.Height())) return E_INVALIDARG;
  switch (format) {
    case PixelFormat::kRgb24: Rgb(3, topDown, source, out); break;
    case PixelFormat::kRgb32: Rgb(4, topDown, source, out); break;
    case PixelFormat::kYuy2: Yuy2(source, out); break;
    case PixelFormat::kNv12: Nv12(source, out); break;
  }
  return S_OK;
}

}  // namespace media
