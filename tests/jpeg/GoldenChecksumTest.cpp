// Byte-exactness guard: checksums of whole encoded files over a broad set of
// pictures (sizes 1x1..1280x960, odd sizes, every sampling layout, qualities
// 1..100, flat, noisy, gradient, black and camera-like content, top-down and
// bottom-up rows) compared with a table recorded from the straightforward
// encoder. Any speed-up must leave every byte as it was, with every kernel
// set the processor runs.
//
// To print the table instead of checking it (only after a deliberate change
// of the output): JPEG_GOLDEN_PRINT=1 jpeg_core_tests --gtest_filter='JpegGolden*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "TestPictures.h"

namespace {

using jpegtest::Layout;
using jpegtest::Pattern;
using jpegtest::Picture;

struct GoldenEntry {
  const char* name;
  uint64_t checksum;
};

constexpr GoldenEntry kGolden[] = {
#include "GoldenChecksums.inc"
};

// FNV-1a over the bytes of several files, each prefixed by its length.
class Checksum {
 public:
  void Add(const std::vector<uint8_t>& bytes) {
    Mix(bytes.size());
    for (uint8_t b : bytes) Mix(b);
  }
  uint64_t Value() const { return hash_; }

 private:
  void Mix(uint64_t v) {
    hash_ ^= v;
    hash_ *= 0x100000001B3ull;
  }
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

// Smooth shading, block-aligned and unaligned edges and sensor-like noise,
// from integer arithmetic and the raw generator output only, so every
// platform builds the same pixels.
Picture MakeScene(int width, int height, uint32_t seed) {
  Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int u = x * 255 / width, v = y * 255 / height;
      const bool box = ((x * 8 / width) + (y * 6 / height)) % 5 == 0;
      const int base[3] = {40 + u * 3 / 5, 90 + (u * v) / 400, 30 + v * 4 / 5};
      uint8_t* px = p.At(x, y);
      for (int c = 0; c < 3; ++c) {
        const int noise = static_cast<int>(random() % 13) - 6;
        px[c] = static_cast<uint8_t>(std::clamp((box ? 255 - base[c] : base[c]) + noise, 0, 255));
      }
    }
  }
  return p;
}

Picture Make(int width, int height, const std::string& pattern) {
  if (pattern == "scene") return MakeScene(width, height, 5);
  const Pattern kind = pattern == "flat"       ? Pattern::kFlat
                       : pattern == "gradient" ? Pattern::kGradient
                       : pattern == "noise"    ? Pattern::kNoise
                                               : Pattern::kBlack;
  return jpegtest::MakePicture(width, height, kind, 3);
}

// Encodes through the bottom-up view a GDI bitmap gives: last row first in
// memory, negative stride.
std::vector<uint8_t> EncodeBottomUp(const Picture& p, const Layout& l, int quality) {
  const ptrdiff_t stride = static_cast<ptrdiff_t>(p.width) * 3;
  std::vector<uint8_t> flipped(p.bgr.size());
  for (int y = 0; y < p.height; ++y) {
    std::copy_n(p.bgr.begin() + stride * y, stride, flipped.end() - stride * (y + 1));
  }
  jpeg::JpegEncoder e;
  e.SetKernels(*jpegtest::TestKernels());
  e.SetSamplingFrequencies(l.h1, l.v1, l.h2, l.v2, l.h3, l.v3);
  e.SetQuality(quality);
  jpeg::SampleBgr(e, flipped.data() + stride * (p.height - 1), -stride, p.width, p.height);
  return e.EncodeFile();
}

const Layout kLayouts[] = {{1, 1, 1, 1, 1, 1}, {2, 2, 1, 1, 1, 1}, {2, 1, 1, 1, 1, 1},
                           {1, 2, 1, 1, 1, 1}, {1, 1, 0, 0, 0, 0}, {3, 2, 1, 1, 2, 3}};
const char* const kPatterns[] = {"flat", "gradient", "noise", "black", "scene"};

using Cases = std::map<std::string, std::function<uint64_t()>>;

void AddSmallAndOddSizes(Cases& cases) {
  const int sizes[][2] = {{1, 1},  {1, 7},   {7, 1},    {2, 3},    {8, 8},
                          {9, 9},  {15, 17}, {16, 16},  {20, 12},  {31, 63},
                          {64, 48}, {100, 75}, {161, 97}, {321, 243}};
  for (const auto& s : sizes) {
    for (const char* pattern : kPatterns) {
      const int w = s[0], h = s[1];
      const std::string name = "size " + std::to_string(w) + "x" + std::to_string(h) + " " + pattern;
      cases[name] = [=] {
        const Picture p = Make(w, h, pattern);
        Checksum sum;
        for (const Layout& l : kLayouts) {
          for (int q : {90, 37}) sum.Add(jpegtest::Encode(p, l, q));
        }
        return sum.Value();
      };
    }
  }
}

void AddLargeSizes(Cases& cases) {
  const int sizes[][2] = {{640, 480}, {641, 479}, {1280, 960}, {1279, 959}};
  for (const auto& s : sizes) {
    for (const char* pattern : {"scene", "noise", "gradient"}) {
      const int w = s[0], h = s[1];
      const std::string name = "large " + std::to_string(w) + "x" + std::to_string(h) + " " + pattern;
      cases[name] = [=] {
        const Picture p = Make(w, h, pattern);
        Checksum sum;
        sum.Add(jpegtest::Encode(p, kLayouts[0], 90));
        sum.Add(jpegtest::Encode(p, kLayouts[1], 90));
        return sum.Value();
      };
    }
  }
}

void AddQualities(Cases& cases) {
  for (int q = 1; q <= 100; ++q) {
    char name[32];
    std::snprintf(name, sizeof name, "quality %03d", q);
    cases[name] = [=] {
      const Picture p = MakeScene(77, 53, 9);
      const Picture n = jpegtest::MakePicture(19, 23, Pattern::kNoise, 4);
      Checksum sum;
      for (const Layout& l : {kLayouts[0], kLayouts[1], kLayouts[4]}) {
        sum.Add(jpegtest::Encode(p, l, q));
        sum.Add(jpegtest::Encode(n, l, q));
      }
      return sum.Value();
    };
  }
}

// All 4096 three-component layouts, grouped by the luminance factors.
void AddEveryLayout(Cases& cases) {
  for (int h1 = 1; h1 <= 4; ++h1) {
    for (int v1 = 1; v1 <= 4; ++v1) {
      const std::string name = "layouts " + std::to_string(h1) + "," + std::to_string(v1);
      cases[name] = [=] {
        const Picture p = MakeScene(29, 23, 11);
        Checksum sum;
        for (int rest = 0; rest < 256; ++rest) {
          const Layout l{h1, v1, rest % 4 + 1, rest / 4 % 4 + 1, rest / 16 % 4 + 1, rest / 64 + 1};
          sum.Add(jpegtest::Encode(p, l, 90));
        }
        return sum.Value();
      };
    }
  }
}

void AddBottomUp(Cases& cases) {
  const int sizes[][2] = {{16, 16}, {37, 21}, {640, 480}};
  for (const auto& s : sizes) {
    const int w = s[0], h = s[1];
    cases["bottom-up " + std::to_string(w) + "x" + std::to_string(h)] = [=] {
      const Picture p = MakeScene(w, h, 13);
      Checksum sum;
      for (const Layout& l : kLayouts) sum.Add(EncodeBottomUp(p, l, 90));
      return sum.Value();
    };
  }
}

Cases AllCases() {
  Cases cases;
  AddSmallAndOddSizes(cases);
  AddLargeSizes(cases);
  AddQualities(cases);
  AddEveryLayout(cases);
  AddBottomUp(cases);
  return cases;
}

TEST(JpegGolden, EveryFileKeepsItsRecordedChecksum) {
  const Cases cases = AllCases();
  if (std::getenv("JPEG_GOLDEN_PRINT")) {
    for (const auto& [name, run] : cases) {
      std::printf("    {\"%s\", 0x%016llxull},\n", name.c_str(),
                  static_cast<unsigned long long>(run()));
    }
    return;
  }
  std::map<std::string, uint64_t> golden;
  for (const GoldenEntry& e : kGolden) golden[e.name] = e.checksum;
  EXPECT_EQ(golden.size(), cases.size()) << "table and cases out of step";
  for (const jpeg::SampleKernels* kernels : jpeg::AvailableKernels()) {
    jpegtest::ScopedKernels use(*kernels);
    for (const auto& [name, run] : cases) {
      const auto it = golden.find(name);
      if (it == golden.end()) {
        ADD_FAILURE() << "no recorded checksum for " << name;
        continue;
      }
      EXPECT_EQ(run(), it->second) << name << " with the " << kernels->name << " kernels";
    }
  }
}

}  // namespace
