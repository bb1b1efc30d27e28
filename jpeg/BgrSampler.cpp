// Portable sampling of a 24-bit buffer into the encoder's components.
#include "BgrSampler.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace jpeg {

namespace {

struct Area {
  std::vector<uint8_t> pixels;  // cw8 x ch8, 3 bytes each, tightly packed
  int cw = 0, ch = 0, cw8 = 0, ch8 = 0;
  PixelView View() const { return {pixels.data(), static_cast<ptrdiff_t>(cw8) * 3}; }
};

// Average of the source pixels under target pixel (tx, ty).
void AveragePixel(const uint8_t* bgr, ptrdiff_t stride, int width, int height,
                  const Area& a, int tx, int ty, uint8_t* out) {
  const int x0 = tx * width / a.cw, x1 = std::max(x0 + 1, (tx + 1) * width / a.cw);
  const int y0 = ty * height / a.ch, y1 = std::max(y0 + 1, (ty + 1) * height / a.ch);
  unsigned sum[3] = {0, 0, 0};
  for (int y = y0; y < y1; ++y) {
    const uint8_t* p = bgr + stride * y + 3 * x0;
    for (int x = x0; x < x1; ++x, p += 3) {
      sum[0] += p[0], sum[1] += p[1], sum[2] += p[2];
    }
  }
  const unsigned n = static_cast<unsigned>((x1 - x0) * (y1 - y0));
  for (int i = 0; i < 3; ++i) out[i] = static_cast<uint8_t>((sum[i] + n / 2) / n);
}

void Draw(const uint8_t* bgr, ptrdiff_t stride, int width, int height, Area& a) {
  const size_t rowBytes = static_cast<size_t>(a.cw8) * 3;
  for (int y = 0; y < a.ch; ++y) {
    uint8_t* row = a.pixels.data() + rowBytes * y;
    if (a.cw == width && a.ch == height) {
      std::memcpy(row, bgr + stride * y, static_cast<size_t>(width) * 3);
    } else {
      for (int x = 0; x < a.cw; ++x) AveragePixel(bgr, stride, width, height, a, x, y, row + 3 * x);
    }
  }
}

void ReplicateEdges(Area& a) {
  const size_t rowBytes = static_cast<size_t>(a.cw8) * 3;
  for (int y = 0; y < a.ch; ++y) {
    uint8_t* row = a.pixels.data() + rowBytes * y;
    for (int x = a.cw; x < a.cw8; ++x) std::memcpy(row + 3 * x, row + 3 * (x - 1), 3);
  }
  for (int y = a.ch; y < a.ch8; ++y) {
    std::memcpy(a.pixels.data() + rowBytes * y, a.pixels.data() + rowBytes * (y - 1), rowBytes);
  }
}

}  // namespace

bool SampleBgr(JpegEncoder& encoder, const uint8_t* bgr, ptrdiff_t stride, int width,
               int height) {
  if (!encoder.BeginSampling(width, height)) return false;
  const std::vector<Component>& components = encoder.GetFrame().components;
  Area area;
  const int count = static_cast<int>(components.size());
  for (int i = 0, end; i < count; i = end) {
    const Component& c = components[i];
    end = SameSizeRunEnd(components, i);
    // A picture already padded to whole blocks is read where it lies.
    if (c.cw == width && c.ch == height && c.cw8 == width && c.ch8 == height) {
      encoder.SampleComponents(i, end - i, PixelView{bgr, stride});
      continue;
    }
    if (c.cw != area.cw || c.ch != area.ch || area.pixels.empty()) {
      area.cw = c.cw, area.ch = c.ch, area.cw8 = c.cw8, area.ch8 = c.ch8;
      area.pixels.assign(static_cast<size_t>(c.cw8) * c.ch8 * 3, 0);
      Draw(bgr, stride, width, height, area);
      ReplicateEdges(area);
    }
    encoder.SampleComponents(i, end - i, area.View());
  }
  return true;
}

}  // namespace jpeg
