// The layout of whole files: segment order and bytes, greyscale and
// colour frames, comments, sampling settings and the edge cases of the
// block geometry.
#include <gtest/gtest.h>

#include <string>

#include "BitWriter.h"
#include "JpegError.h"
#include "JpegFileReader.h"
#include "TestPictures.h"

namespace {

using jpegtest::Encode;
using jpegtest::MakePicture;
using jpegtest::Pattern;

template <typename F>
void ExpectJpegError(F&& f, int number, const char* text) {
  try {
    f();
    FAIL() << "no error, expected " << text;
  } catch (const jpeg::JpegError& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_STREQ(e.what(), text);
  }
}

TEST(JpegFileLayout, ApplicationSettingsGiveTheJfifPrefixAndSegmentOrder) {
  const auto file = Encode(MakePicture(16, 16, Pattern::kGradient), jpegtest::kAppLayout, 90);
  const std::vector<uint8_t> prefix = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46,
                                       0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
                                       0x00, 0x01, 0x00, 0x00, 0xFF, 0xFE};
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 22), prefix);
  const auto segments = jpegtest::ReadSegments(file);
  EXPECT_EQ(jpegtest::Markers(segments),
            (std::vector<uint8_t>{0xD8, 0xE0, 0xFE, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4,
                                  0xDA, 0xD9}));
  const std::string ident(segments[2].payload.begin(), segments[2].payload.end());
  EXPECT_EQ(ident, jpeg::kIdentificationComment);
  EXPECT_EQ(std::count(ident.begin(), ident.end(), '\n'), 2);
  EXPECT_EQ(segments[3].payload.size(), 65u);  // Pq/Tq + 64 8-bit entries
  EXPECT_EQ(segments[3].payload[0], 0x00);
  EXPECT_EQ(segments[4].payload[0], 0x01);
  EXPECT_EQ(segments[5].payload, (std::vector<uint8_t>{8, 0, 16, 0, 16, 3, 1, 0x11, 0, 2,
                                                        0x11, 1, 3, 0x11, 1}));
  const uint8_t dhtClasses[] = {0x00, 0x10, 0x01, 0x11};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(segments[6 + i].payload[0], dhtClasses[i]);
  EXPECT_EQ(segments[10].payload, (std::vector<uint8_t>{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
}

TEST(JpegFileLayout, GreyscaleHasOneComponentTableAndScan) {
  jpeg::JpegEncoder e;
  const auto file = Encode(MakePicture(9, 9, Pattern::kGradient), {3, 3, 0, 0, 0, 0}, 75, &e);
  const auto segments = jpegtest::ReadSegments(file);
  EXPECT_EQ(jpegtest::Markers(segments),
            (std::vector<uint8_t>{0xD8, 0xE0, 0xFE, 0xDB, 0xC0, 0xC4, 0xC4, 0xDA, 0xD9}));
  EXPECT_EQ(segments[4].payload, (std::vector<uint8_t>{8, 0, 9, 0, 9, 1, 1, 0x11, 0}));
  EXPECT_EQ(segments[7].payload, (std::vector<uint8_t>{1, 1, 0x00, 0, 63, 0}));
  EXPECT_EQ(e.GetFrame().components[0].blocks.Count(), 4u);  // 2 x 2 blocks
}

TEST(JpegFileLayout, Comments) {
  jpeg::JpegEncoder e;
  const auto pic = MakePicture(8, 8, Pattern::kFlat);
  e.SetComment("Garden, 7 o'clock");
  auto segments = jpegtest::ReadSegments(Encode(pic, jpegtest::kAppLayout, 90, &e));
  ASSERT_EQ(segments[2].marker, 0xFE);
  EXPECT_EQ(std::string(segments[2].payload.begin(), segments[2].payload.end()),
            "Garden, 7 o'clock");
  EXPECT_EQ(segments[3].marker, 0xFE);  // identification follows

  e.SetComment(std::string(jpeg::JpegEncoder::kMaxCommentLength, 'x'));
  segments = jpegtest::ReadSegments(Encode(pic, jpegtest::kAppLayout, 90, &e));
  EXPECT_EQ(segments[2].payload.size(), 65533u);  // segment length 65535
  ExpectJpegError([&] { e.SetComment(std::string(65534, 'x')); }, 1, "Illegal Comment Length");
  EXPECT_EQ(e.Comment().size(), 65533u);

  e.SetComment("");
  segments = jpegtest::ReadSegments(Encode(pic, jpegtest::kAppLayout, 90, &e));
  EXPECT_EQ(segments[3].marker, 0xDB);  // only the identification comment
}

TEST(JpegFileLayout, InvalidSamplingValuesKeepTheLayout) {
  jpeg::JpegEncoder e;
  e.SetSamplingFrequencies(1, 2, 1, 1, 1, 1);
  const int bad[][6] = {{5, 1, 1, 1, 1, 1}, {1, 0, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1},
                        {1, 1, 1, 1, 1, 5}, {0, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 1}};
  for (const auto& f : bad) {
    ExpectJpegError([&] { e.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]); }, 1,
                    "Invalid Sampling Value");
    ASSERT_EQ(e.GetFrame().components.size(), 3u);
    EXPECT_EQ(e.GetFrame().components[0].v, 2);
    EXPECT_EQ(e.GetFrame().vmax, 2);
  }
}

TEST(JpegFileLayout, BlockGeometryAtTheEdges) {
  jpeg::JpegEncoder one;
  Encode(MakePicture(1, 1, Pattern::kFlat), jpegtest::kAppLayout, 90, &one);
  for (const auto& c : one.GetFrame().components) {
    const std::vector<int16_t> coefficients = c.blocks.ZigZagCoefficients();
    ASSERT_EQ(coefficients.size(), 64u);  // the edge pixel fills the block
    for (int z = 1; z < 64; ++z) EXPECT_EQ(coefficients[z], 0) << "component " << c.id;
  }

  jpeg::JpegEncoder e;
  Encode(MakePicture(20, 12, Pattern::kGradient), {2, 2, 1, 1, 1, 1}, 90, &e);
  const auto& comps = e.GetFrame().components;
  EXPECT_EQ(comps[0].cw8 * 100 + comps[0].ch8, 2416);
  EXPECT_EQ(comps[0].BlocksPerRow() * 10 + comps[0].BlockRows(), 32);
  EXPECT_EQ(comps[1].cw * 100 + comps[1].ch, 1006);
  EXPECT_EQ(comps[2].cw8 * 100 + comps[2].ch8, 1608);
}

TEST(JpegFileLayout, AllBlackPictureHasEqualDcCoefficients) {
  jpeg::JpegEncoder e;
  Encode(MakePicture(40, 24, Pattern::kBlack), jpegtest::kAppLayout, 90, &e);
  const std::vector<int16_t> y = e.GetFrame().components[0].blocks.ZigZagCoefficients();
  ASSERT_EQ(y.size(), 15u * 64);
  for (size_t b = 0; b < y.size(); b += 64) {
    EXPECT_EQ(y[b], y[0]);
    for (int z = 1; z < 64; ++z) EXPECT_EQ(y[b + z], 0);
  }
  EXPECT_EQ(y[0], -256);  // -8192 * f0^2 / 4: -256 exactly
  // One DC category for the first block, category 0 for all the others.
  const auto& dc = e.LastCodeTables().dc[0].spec;
  EXPECT_EQ(dc.huffval.size(), 2u);
}

TEST(JpegFileLayout, EntropyDataIsStuffedAndPaddedWithOnes) {
  const auto file = Encode(MakePicture(64, 64, Pattern::kNoise), jpegtest::kAppLayout, 100);
  const auto segments = jpegtest::ReadSegments(file);
  ASSERT_EQ(segments.back().marker, 0xD9);
  const auto& data = segments[segments.size() - 2].entropy;
  size_t ffCount = 0;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0xFF) {
      ++ffCount;
      EXPECT_EQ(data[i + 1], 0x00) << "at " << i;
      ++i;
    }
  }
  EXPECT_GT(ffCount, 0u);  // noise at quality 100 certainly codes some FF

}

// The packer against the plain rule (one bit at a time, FF then 00, pad
// with 1-bits), over sequences that cross its eight-byte words with FF
// bytes at every place.
std::vector<uint8_t> PackedBits(const std::vector<std::pair<uint32_t, int>>& puts) {
  jpeg::ByteBuffer out;
  jpeg::BitPacker bits(out.Room(puts.size() * 8 + 16));
  for (const auto& [value, count] : puts) bits.Put(value, count);
  out.Commit(bits.Flush());
  return out.Take();
}

std::vector<uint8_t> PlainBits(const std::vector<std::pair<uint32_t, int>>& puts) {
  std::vector<uint8_t> bytes;
  int byte = 0, used = 0;
  auto bit = [&](int b) {
    byte = byte << 1 | b;
    if (++used < 8) return;
    bytes.push_back(static_cast<uint8_t>(byte));
    if (byte == 0xFF) bytes.push_back(0x00);
    byte = used = 0;
  };
  for (const auto& [value, count] : puts) {
    for (int i = count - 1; i >= 0; --i) bit((value >> i) & 1);
  }
  while (used) bit(1);
  return bytes;
}

TEST(JpegFileLayout, BitPackingStuffsAndPads) {
  EXPECT_EQ(PackedBits({{0x1FE, 9}, {0x1, 2}}),  // a full FF byte, 0, 01, then 1-bits
            (std::vector<uint8_t>{0xFF, 0x00, 0x3F}));
  const std::vector<std::vector<std::pair<uint32_t, int>>> cases = {
      {},
      {{0, 1}},
      {{0xFFFFFFFF, 32}, {0xFFFFFFFF, 32}, {0xFFFFFFFF, 32}},  // words of FF only
      {{0x7F, 7}, {0xFFFFFF, 24}, {0x1, 1}, {0xFFFFFFFF, 32}, {0, 3}},
      {{0xABCDEF, 24}, {0x12345678, 32}, {0xFF, 8}, {0x1F, 5}},  // FF across a word
  };
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(PackedBits(cases[i]), PlainBits(cases[i])) << i;
  std::mt19937 random(3);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<std::pair<uint32_t, int>> puts;
    for (int n = 0; n < 300; ++n) {
      const int count = 1 + static_cast<int>(random() % 32);
      // Mostly ones, so FF bytes are common.
      uint32_t value = (random() % 4 ? 0xFFFFFFFFu : static_cast<uint32_t>(random()));
      puts.emplace_back(count == 32 ? value : value & ((1u << count) - 1), count);
    }
    ASSERT_EQ(PackedBits(puts), PlainBits(puts)) << "trial " << trial;
  }
}

TEST(JpegFileLayout, FilesLargerThanTheOldFixedBufferAreWritten) {
  const auto file = Encode(MakePicture(1280, 960, Pattern::kNoise), jpegtest::kAppLayout, 100);
  EXPECT_GT(file.size(), 750001u);
  EXPECT_EQ(file[file.size() - 2], 0xFF);
  EXPECT_EQ(file.back(), 0xD9);
}

TEST(JpegFileLayout, TablesOfTheSamplingMomentAreDeclared) {
  jpeg::JpegEncoder e;
  e.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  e.SetQuality(90);
  jpeg::JpegEncoder reference;
  const auto pic = MakePicture(16, 8, Pattern::kGradient);
  const auto expected = Encode(pic, jpegtest::kAppLayout, 90, &reference);
  jpeg::SampleBgr(e, pic.bgr.data(), 48, 16, 8);
  e.SetQuality(20);  // after sampling: the coefficients keep quality 90
  EXPECT_EQ(e.EncodeFile(), expected);
  EXPECT_EQ(e.Quality(), 20);
}

TEST(JpegFileLayout, SavingWithoutSamplingIsABadHuffmanTable) {
  jpeg::JpegEncoder e;
  ExpectJpegError([&] { e.EncodeFile(); }, 1, "Bad Huffman Table");
  jpeg::JpegEncoder resampled;
  Encode(MakePicture(8, 8, Pattern::kFlat), jpegtest::kAppLayout, 90, &resampled);
  resampled.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);  // discards the coefficients
  ExpectJpegError([&] { resampled.EncodeFile(); }, 1, "Bad Huffman Table");
}

}  // namespace
