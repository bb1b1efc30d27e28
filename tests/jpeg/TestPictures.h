// Test pictures as 24-bit buffers (B, G, R, top row first, tightly packed)
// and helpers to encode them with the portable core.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "BgrSampler.h"

namespace jpegtest {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> bgr;
  uint8_t* At(int x, int y) { return &bgr[(static_cast<size_t>(y) * width + x) * 3]; }
};

enum class Pattern { kFlat, kGradient, kNoise, kBlack };

inline Picture MakePicture(int width, int height, Pattern pattern, uint32_t seed = 1) {
  Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* px = p.At(x, y);
      switch (pattern) {
        case Pattern::kFlat: px[0] = 40, px[1] = 160, px[2] = 220; break;
        case Pattern::kBlack: px[0] = px[1] = px[2] = 0; break;
        case Pattern::kGradient:  // at most 2 levels per pixel: smooth at any size
          px[0] = static_cast<uint8_t>(x * 255 / std::max(width - 1, 127));
          px[1] = static_cast<uint8_t>(y * 255 / std::max(height - 1, 127));
          px[2] = static_cast<uint8_t>((x + y) * 255 / std::max(width + height, 254));
          break;
        case Pattern::kNoise:
          px[0] = static_cast<uint8_t>(random()), px[1] = static_cast<uint8_t>(random());
          px[2] = static_cast<uint8_t>(random());
          break;
      }
    }
  }
  return p;
}

struct Layout {
  int h1, v1, h2, v2, h3, v3;
};

// The kernel set the helpers sample with (the widest unless a test
// chooses another for its scope).
inline const jpeg::SampleKernels*& TestKernels() {
  static const jpeg::SampleKernels* kernels = &jpeg::BestKernels();
  return kernels;
}

class ScopedKernels {
 public:
  explicit ScopedKernels(const jpeg::SampleKernels& kernels) : previous_(TestKernels()) {
    TestKernels() = &kernels;
  }
  ~ScopedKernels() { TestKernels() = previous_; }
  ScopedKernels(const ScopedKernels&) = delete;
  ScopedKernels& operator=(const ScopedKernels&) = delete;

 private:
  const jpeg::SampleKernels* previous_;
};

inline std::vector<uint8_t> Encode(const Picture& p, const Layout& l, int quality,
                                   jpeg::JpegEncoder* keep = nullptr) {
  jpeg::JpegEncoder local;
  jpeg::JpegEncoder& e = keep ? *keep : local;
  e.SetKernels(*TestKernels());
  e.SetSamplingFrequencies(l.h1, l.v1, l.h2, l.v2, l.h3, l.v3);
  e.SetQuality(quality);
  jpeg::SampleBgr(e, p.bgr.data(), static_cast<ptrdiff_t>(p.width) * 3, p.width, p.height);
  return e.EncodeFile();
}

constexpr Layout kAppLayout{1, 1, 1, 1, 1, 1};
constexpr Layout kGreyLayout{1, 1, 0, 0, 0, 0};

}  // namespace jpegtest
