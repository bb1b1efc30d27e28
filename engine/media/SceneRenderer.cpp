// Rendering of the synthetic camera picture.
#include "media/SceneRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "media/SegmentText.h"

namespace media {

namespace {

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

Bgr ColourFrom(std::uint32_t hash, int floor) {
  auto channel = [&](int shift) {
    return static_cast<std::uint8_t>(floor + ((hash >> shift) & 0xFF) * (255 - floor) / 255);
  };
  return {channel(0), channel(8), channel(16)};
}

std::uint8_t Scale(std::uint8_t value, int percent) {
  return static_cast<std::uint8_t>(std::min(255, value * percent / 100));
}

// 0..span..0 as the step goes from 0 to 2 * period.
int Triangle(std::uint32_t step, std::uint32_t period, int span) {
  const std::uint32_t phase = step % (2 * period);
  const std::uint32_t along = phase < period ? phase : 2 * period - phase;
  return static_cast<int>(static_cast<std::uint64_t>(along) * span / period);
}

}  // namespace

HRESULT SceneRenderer::Render(int width, int height, std::uint32_t frameNumber,
                              const SYSTEMTIME& localTime, Frame& out) {
  if (out.Bits() == nextBits_) nextBits_ = nullptr;  // no longer the last RenderNext output
  Area drawn[kDrawnAreas];
  return RenderWhole(width, height, frameNumber, localTime, out, drawn);
}

HRESULT SceneRenderer::RenderNext(int width, int height, std::uint32_t frameNumber,
                                  const SYSTEMTIME& localTime, Frame& out) {
  const bool continues = nextBits_ && out.Bits() == nextBits_ && out.Width() == width && out.Height() == height;
  nextBits_ = nullptr;
  HRESULT hr;
  if (continues && SUCCEEDED(hr = PrepareBackground(width, height))) {
    for (const Area& area : nextDrawn_) Restore(out, area);
    DrawScene(out, frameNumber, localTime, nextDrawn_);
  } else {
    hr = RenderWhole(width, height, frameNumber, localTime, out, nextDrawn_);
  }
  if (SUCCEEDED(hr)) nextBits_ = out.Bits();
  return hr;
}

HRESULT SceneRenderer::RenderWhole(int width, int height, std::uint32_t frameNumber, const SYSTEMTIME& localTime,
                                   Frame& out, Area* drawn) {
  if (width < kMinWidth || height < kMinHeight) return E_INVALIDARG;
  HRESULT hr = PrepareBackground(width, height);
  if (FAILED(hr)) return hr;
  if (!out.SameSize(background_)) {
    hr = out.Allocate(width, height);
    if (FAILED(hr)) return hr;
  }
  std::memcpy(out.Bits(), background_.Bits(), background_.ImageBytes());
  DrawScene(out, frameNumber, localTime, drawn);
  return S_OK;
}

void SceneRenderer::DrawScene(Frame& frame, std::uint32_t frameNumber, const SYSTEMTIME& localTime,
                              Area* drawn) const {
  drawn[0] = DrawDisc(frame, frameNumber);
  drawn[1] = DrawClock(frame, localTime);
  drawn[2] = DrawCounter(frame, frameNumber);
}

void SceneRenderer::Restore(Frame& frame, const Area& area) const {
  const int x0 = std::max(0, area.x), x1 = std::min(frame.Width(), area.x + area.width);
  const int y0 = std::max(0, area.y), y1 = std::min(frame.Height(), area.y + area.height);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) {
    std::memcpy(frame.Row(y) + 3 * x0, background_.Row(y) + 3 * x0, static_cast<std::size_t>(x1 - x0) * 3);
  }
}

HRESULT SceneRenderer::PrepareBackground(int width, int height) {
  if (background_.Width() == width && background_.Height() == height) return S_OK;
  Frame fresh;
  const HRESULT hr = fresh.Allocate(width, height);
  if (FAILED(hr)) return hr;
  const Bgr light = ColourFrom(Mix(seed_ * 2 + 1), 96);
  const Bgr dark = ColourFrom(Mix(seed_ * 2 + 2), 16);
  const int tile = std::max(8, width / 16);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = fresh.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const int tx = x / tile, ty = y / tile;
      const Bgr base = ((tx + ty) & 1) ? light : dark;
      // Diagonal shading and a little per-pixel grain give the encoder and
      // the motion meter real texture to work on.
      const int shade = 70 + 30 * (x + y) / (width + height) +
                        static_cast<int>(Mix(static_cast<std::uint32_t>(y * width + x) ^ seed_) & 7);
      p[0] = Scale(base.b, shade);
      p[1] = Scale(base.g, shade);
      p[2] = Scale(base.r, shade);
    }
  }
  background_ = std::move(fresh);
  return S_OK;
}

SceneRenderer::Disc SceneRenderer::DiscAt(int width, int height,
                                          std::uint32_t frameNumber) const noexcept {
  const int radius = std::max(4, std::min(width, height) / 8);
  const std::uint32_t step = frameNumber + Mix(seed_) % (2 * kCrossingFrames);
  const int x = radius + Triangle(step, kCrossingFrames, std::max(1, width - 2 * radius));
  const double angle = 6.283185307179586 * static_cast<double>(step % 90) / 90.0;
  const int y = height / 2 + static_cast<int>(std::lround((height / 4) * std::sin(angle)));
  return {x, y, radius};
}

SceneRenderer::Area SceneRenderer::DrawDisc(Frame& frame, std::uint32_t frameNumber) const {
  const Disc disc = DiscAt(frame.Width(), frame.Height(), frameNumber);
  const Bgr outer = ColourFrom(Mix(seed_ + 0x51ED27u), 64);
  const Bgr inner = {Scale(outer.b, 45), Scale(outer.g, 45), Scale(outer.r, 45)};
  const int r = disc.radius, innerR = r / 2;
  for (int dy = -r; dy <= r; ++dy) {
    const int half = static_cast<int>(std::sqrt(static_cast<double>(r * r - dy * dy)));
    FillRect(frame, disc.centreX - half, disc.centreY + dy, 2 * half + 1, 1, outer);
    if (dy >= -innerR && dy <= innerR) {
      const int h2 = static_cast<int>(std::sqrt(static_cast<double>(innerR * innerR - dy * dy)));
      FillRect(frame, disc.centreX - h2, disc.centreY + dy, 2 * h2 + 1, 1, inner);
    }
  }
  return {disc.centreX - r, disc.centreY - r, 2 * r + 1, 2 * r + 1};
}

SceneRenderer::Area SceneRenderer::DrawClock(Frame& frame, const SYSTEMTIME& localTime) const {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", localTime.wHour % 100u,
                localTime.wMinute % 100u, localTime.wSecond % 100u);
  const int height = std::max(8, frame.Height() / 12);
  const int margin = height / 3;
  const Area box{0, 0, SegmentTextWidth(text, height) + 2 * margin, height + 2 * margin};
  FillRect(frame, box.x, box.y, box.width, box.height, Bgr{24, 24, 24});
  DrawSegmentText(frame, margin, margin, height, text, Bgr{80, 255, 255});
  return box;
}

SceneRenderer::Area SceneRenderer::DrawCounter(Frame& frame, std::uint32_t frameNumber) const {
  char text[16];
  std::snprintf(text, sizeof text, "%06u", frameNumber % 1000000u);
  const int height = std::max(8, frame.Height() / 16);
  const int margin = height / 3;
  const int width = SegmentTextWidth(text, height) + 2 * margin;
  const int x = frame.Width() - width, y = frame.Height() - height - 2 * margin;
  FillRect(frame, x, y, width, height + 2 * margin, Bgr{24, 24, 24});
  DrawSegmentText(frame, x + margin, y + margin, height, text, Bgr{255, 255, 255});
  return {x, y, width, height + 2 * margin};
}

}  // namespace media
