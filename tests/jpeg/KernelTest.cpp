// Every kernel set the processor runs against the scalar reference, block
// by block: colour conversion, the transform and quantization must agree
// to the bit, and a sampled span must leave the same symbols, on edge
// blocks (all zero, extremes, checkerboards, exact rounding halves) and
// random ones.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Dct.h"
#include "Quantization.h"
#include "SampleKernels.h"
#include "Tables.h"
#include "TestPictures.h"

namespace {

using jpeg::SampleKernels;

struct alignas(32) Block {
  float v[64];
};

// Sets other than the reference, each with the reference.
std::vector<const SampleKernels*> WiderSets() {
  std::vector<const SampleKernels*> sets = jpeg::AvailableKernels();
  sets.erase(sets.begin());
  return sets;
}

bool SameBits(const float* a, const float* b) { return std::memcmp(a, b, 64 * sizeof(float)) == 0; }

// 24-bit pixel areas of 8 x 8 blocks, a few blocks wide, for the edges
// that matter to the arithmetic.
struct PixelCase {
  const char* name;
  std::function<uint8_t(int x, int y, int colour, std::mt19937&)> value;
};

const PixelCase kPixelCases[] = {
    {"all zero", [](int, int, int, std::mt19937&) { return uint8_t{0}; }},
    {"all 255", [](int, int, int, std::mt19937&) { return uint8_t{255}; }},
    {"checkerboard", [](int x, int y, int, std::mt19937&) { return uint8_t((x + y) % 2 ? 255 : 0); }},
    {"colour edges",
     [](int x, int y, int c, std::mt19937&) { return uint8_t(((x / 3 + y / 2 + c) % 3) * 127); }},
    {"random", [](int, int, int, std::mt19937& r) { return static_cast<uint8_t>(r()); }},
};

constexpr int kAreaBlocks = 5;

std::vector<uint8_t> MakeArea(const PixelCase& c) {
  std::mt19937 random(11);
  std::vector<uint8_t> area(8 * kAreaBlocks * 8 * 3);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8 * kAreaBlocks; ++x) {
      for (int colour = 0; colour < 3; ++colour) area[(y * 8 * kAreaBlocks + x) * 3 + colour] = c.value(x, y, colour, random);
    }
  }
  return area;
}

jpeg::PixelView View(const std::vector<uint8_t>& area) { return {area.data(), 8 * kAreaBlocks * 3}; }

// Channel sets the sampler asks for: all three, luminance alone, the two
// chrominance channels, one chrominance channel.
const int kChannelSets[][2] = {{0, 3}, {0, 1}, {1, 2}, {2, 1}, {0, 2}, {1, 1}};

TEST(JpegKernels, ColourConversionMatchesTheReference) {
  for (const SampleKernels* set : WiderSets()) {
    for (const PixelCase& c : kPixelCases) {
      const std::vector<uint8_t> area = MakeArea(c);
      for (const auto& channels : kChannelSets) {
        for (int block = 0; block < kAreaBlocks; ++block) {
          Block expected[3], actual[3];
          float* const e[3] = {expected[0].v, expected[1].v, expected[2].v};
          float* const a[3] = {actual[0].v, actual[1].v, actual[2].v};
          const auto first = static_cast<jpeg::Channel>(channels[0]);
          jpeg::ScalarKernels().convert(View(area), 8 * block, 0, first, channels[1], e);
          set->convert(View(area), 8 * block, 0, first, channels[1], a);
          for (int i = 0; i < channels[1]; ++i) {
            EXPECT_TRUE(SameBits(e[i], a[i])) << set->name << " " << c.name << " channel "
                                              << channels[0] + i << " block " << block;
          }
        }
      }
    }
  }
}

// Work blocks as the transform receives them.
std::vector<Block> TransformInputs() {
  std::vector<Block> blocks;
  auto add = [&](const std::function<float(int)>& f) {
    Block b;
    for (int k = 0; k < 64; ++k) b.v[k] = f(k);
    blocks.push_back(b);
  };
  add([](int) { return 0.0f; });
  add([](int) { return -128.0f; });
  add([](int) { return 127.0f; });
  add([](int k) { return (k / 8 + k % 8) % 2 ? 127.0f : -128.0f; });
  add([](int k) { return k % 8 < 4 ? -127.5f : 127.5f; });  // chrominance extremes
  std::mt19937 random(5);
  std::uniform_real_distribution<float> sample(-128.0f, 127.5f);
  for (int n = 0; n < 200; ++n) add([&](int) { return sample(random); });
  return blocks;
}

TEST(JpegKernels, TransformMatchesTheReference) {
  for (const SampleKernels* set : WiderSets()) {
    const std::vector<Block> inputs = TransformInputs();
    for (size_t n = 0; n < inputs.size(); ++n) {
      Block expected = inputs[n], actual = inputs[n];
      jpeg::ScalarKernels().transform(expected.v);
      set->transform(actual.v);
      EXPECT_TRUE(SameBits(expected.v, actual.v)) << set->name << " block " << n;
    }
  }
}

TEST(JpegKernels, QuantizationMatchesTheReference) {
  std::mt19937 random(9);
  std::uniform_real_distribution<float> coefficient(-8192.0f, 8192.0f);
  std::vector<std::pair<Block, Block>> cases;  // values, divisors
  Block halves, ones, divisors;
  for (int t = 0; t < 64; ++t) {
    halves.v[t] = (t - 32) + 0.5f;  // exact halves: rounding goes to even
    ones.v[t] = 1.0f;
  }
  cases.push_back({halves, ones});
  cases.push_back({Block{}, ones});
  for (int n = 0; n < 100; ++n) {
    Block values;
    for (int t = 0; t < 64; ++t) {
      values.v[t] = coefficient(random);
      divisors.v[t] = 1.0f / static_cast<float>(1 + random() % 255);
    }
    cases.push_back({values, divisors});
  }
  for (const SampleKernels* set : WiderSets()) {
    for (size_t n = 0; n < cases.size(); ++n) {
      alignas(32) int16_t expected[64], actual[64];
      const uint64_t expectedMask = jpeg::ScalarKernels().quantize(cases[n].first.v, cases[n].second.v, expected);
      const uint64_t actualMask = set->quantize(cases[n].first.v, cases[n].second.v, actual);
      EXPECT_EQ(std::memcmp(expected, actual, sizeof expected), 0) << set->name << " case " << n;
      EXPECT_EQ(expectedMask, actualMask) << set->name << " case " << n;
    }
  }
  alignas(32) int16_t rounded[64];
  jpeg::ScalarKernels().quantize(halves.v, ones.v, rounded);
  EXPECT_EQ(rounded[32], 0);  // 0.5
  EXPECT_EQ(rounded[33], 2);  // 1.5
  EXPECT_EQ(rounded[30], -2);  // -1.5
}

// A span sampled into fresh stores, returned as everything the stores hold.
struct StoreContents {
  std::vector<int16_t> coefficients;
  std::vector<uint32_t> entries;
  jpeg::Frequencies frequencies;
  bool operator==(const StoreContents& o) const {
    return coefficients == o.coefficients && entries == o.entries && frequencies == o.frequencies;
  }
};

std::vector<StoreContents> SampleArea(const SampleKernels& set, const std::vector<uint8_t>& area,
                                      int first, int count, float scale) {
  alignas(32) float divisors[3][64];
  jpeg::BlockSymbols stores[3];
  jpeg::SymbolSink sinks[3];
  jpeg::BlockSpan span;
  span.pixels = View(area);
  span.blocks = kAreaBlocks;
  span.first = static_cast<jpeg::Channel>(first);
  span.count = count;
  for (int i = 0; i < count; ++i) {
    for (int t = 0; t < 64; ++t) divisors[i][t] = scale / static_cast<float>(1 + (t * 7 + i) % 40);
    stores[i].Reset(kAreaBlocks);
    sinks[i] = stores[i].Sink(kAreaBlocks);
    span.divisors[i] = divisors[i];
    span.sinks[i] = &sinks[i];
  }
  set.sampleSpan(span);
  std::vector<StoreContents> contents;
  for (int i = 0; i < count; ++i) {
    stores[i].Commit(sinks[i]);
    StoreContents c{stores[i].ZigZagCoefficients(), {}, stores[i].AcFrequencies()};
    c.entries.assign(stores[i].AcBegin(0), stores[i].AcEnd(kAreaBlocks - 1));
    contents.push_back(c);
  }
  return contents;
}

// The zig-zag coefficients of the area's blocks by the plain steps: the
// reference DCT and the rounding of each product on its own.
std::vector<int16_t> PlainCoefficients(const std::vector<uint8_t>& area, int channel, int slot,
                                       float scale) {
  constexpr jpeg::ZigZagIndex zigzag = jpeg::BuildTransposedZigZagIndex();
  std::vector<int16_t> coefficients(64 * kAreaBlocks);
  for (int block = 0; block < kAreaBlocks; ++block) {
    Block work[3];
    float* const blocks[3] = {work[0].v, work[1].v, work[2].v};
    jpeg::ScalarKernels().convert(View(area), 8 * block, 0, static_cast<jpeg::Channel>(channel), 1,
                                  blocks);
    jpeg::ForwardDctTransposed(work[0].v);
    for (int t = 0; t < 64; ++t) {
      const float divisor = scale / static_cast<float>(1 + (t * 7 + slot) % 40);
      coefficients[64 * block + zigzag[t]] = jpeg::QuantizeValue(work[0].v[t], divisor);
    }
  }
  return coefficients;
}

TEST(JpegKernels, SampledSpansLeaveTheSameSymbols) {
  for (const SampleKernels* set : jpeg::AvailableKernels()) {
    for (const PixelCase& c : kPixelCases) {
      const std::vector<uint8_t> area = MakeArea(c);
      for (const auto& channels : kChannelSets) {
        for (float scale : {0.01f, 0.2f, 1.0f}) {  // coarse to every coefficient kept
          const auto expected = SampleArea(jpeg::ScalarKernels(), area, channels[0], channels[1], scale);
          EXPECT_TRUE(SampleArea(*set, area, channels[0], channels[1], scale) == expected)
              << set->name << " " << c.name << " channels " << channels[0] << "+" << channels[1]
              << " scale " << scale;
          for (int i = 0; i < channels[1]; ++i) {
            EXPECT_EQ(expected[i].coefficients, PlainCoefficients(area, channels[0] + i, i, scale))
                << c.name << " channel " << channels[0] + i << " scale " << scale;
          }
        }
      }
    }
  }
}

TEST(JpegKernels, TheWidestSetIsChosen) {
  const std::vector<const SampleKernels*> sets = jpeg::AvailableKernels();
  ASSERT_FALSE(sets.empty());
  EXPECT_EQ(sets.front(), &jpeg::ScalarKernels());
  EXPECT_EQ(&jpeg::BestKernels(), sets.back());
}

}  // namespace
