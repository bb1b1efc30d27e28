// Device pixel formats into 24-bit frames: row order and padding of RGB,
// the BT.601 studio-range colours of YUY2 and NV12 (reference values of the
// standard, not of our tables), odd widths and short buffers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/PixelConversion.h"

using media::PixelFormat;

namespace {

struct Rgb {
  int r, g, b;
};

void ExpectPixel(const media::Frame& frame, int x, int y, Rgb want, int tolerance) {
  const std::uint8_t* p = frame.Row(y) + 3 * x;
  EXPECT_NEAR(p[2], want.r, tolerance) << x << "," << y;
  EXPECT_NEAR(p[1], want.g, tolerance) << x << "," << y;
  EXPECT_NEAR(p[0], want.b, tolerance) << x << "," << y;
}

media::Frame Sized(int width, int height) {
  media::Frame frame;
  EXPECT_EQ(S_OK, frame.Allocate(width, height));
  return frame;
}

TEST(PixelConversion, RgbRowsKeepTheirOrderAndPadding) {
  // 3 x 2 pixels: rows of 9 bytes padded to 12 (RGB24), 12 bytes (RGB32).
  const std::vector<std::uint8_t> rgb24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,
                                           11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
  const std::vector<std::uint8_t> rgb32 = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99,
                                           11, 12, 13, 99, 14, 15, 16, 99, 17, 18, 19, 99};
  struct Case {
    PixelFormat format;
    bool topDown;
    const std::vector<std::uint8_t>* bytes;
  };
  for (const Case c : {Case{PixelFormat::kRgb24, false, &rgb24}, Case{PixelFormat::kRgb24, true, &rgb24},
                       Case{PixelFormat::kRgb32, false, &rgb32}, Case{PixelFormat::kRgb32, true, &rgb32}}) {
    media::Frame frame = Sized(3, 2);
    ASSERT_EQ(S_OK, media::ConvertToFrame(c.format, c.topDown, c.bytes->data(), c.bytes->size(), frame));
    // The buffer's first row is the picture's bottom unless top-down.
    const int firstRow = c.topDown ? 0 : 1;
    ExpectPixel(frame, 0, firstRow, {3, 2, 1}, 0);
    ExpectPixel(frame, 2, firstRow, {9, 8, 7}, 0);
    ExpectPixel(frame, 1, 1 - firstRow, {16, 15, 14}, 0);
  }
}

TEST(PixelConversion, YuvGivesTheStandardColours) {
  struct Colour {
    int y, u, v;
    Rgb rgb;
  };
  const Colour colours[] = {{235, 128, 128, {255, 255, 255}}, {16, 128, 128, {0, 0, 0}},
                            {81, 90, 240, {255, 0, 0}},       {145, 54, 34, {0, 255, 0}},
                            {41, 240, 110, {0, 0, 255}},      {126, 128, 128, {128, 128, 128}}};
  for (const Colour& c : colours) {
    SCOPED_TRACE(c.y);
    // YUY2: two pixels sharing U and V; NV12: 2 x 2 pixels sharing them.
    const std::vector<std::uint8_t> yuy2 = {static_cast<std::uint8_t>(c.y), static_cast<std::uint8_t>(c.u),
                                            static_cast<std::uint8_t>(c.y), static_cast<std::uint8_t>(c.v)};
    media::Frame frame = Sized(2, 1);
    ASSERT_EQ(S_OK, media::ConvertToFrame(PixelFormat::kYuy2, true, yuy2.data(), yuy2.size(), frame));
    ExpectPixel(frame, 0, 0, c.rgb, 2);
    ExpectPixel(frame, 1, 0, c.rgb, 2);
    const auto y = static_cast<std::uint8_t>(c.y);
    const std::vector<std::uint8_t> nv12 = {y, y, y, y, static_cast<std::uint8_t>(c.u), static_cast<std::uint8_t>(c.v)};
    media::Frame square = Sized(2, 2);
    ASSERT_EQ(S_OK, media::ConvertToFrame(PixelFormat::kNv12, true, nv12.data(), nv12.size(), square));
    ExpectPixel(square, 1, 1, c.rgb, 2);
  }
}

TEST(PixelConversion, YuvKeepsEachPixelsOwnLuminance) {
  // One pair, dark then bright: chroma is shared, luminance is not.
  const std::vector<std::uint8_t> yuy2 = {16, 128, 235, 128};
  media::Frame frame = Sized(2, 1);
  ASSERT_EQ(S_OK, media::ConvertToFrame(PixelFormat::kYuy2, true, yuy2.data(), yuy2.size(), frame));
  ExpectPixel(frame, 0, 0, {0, 0, 0}, 1);
  ExpectPixel(frame, 1, 0, {255, 255, 255}, 1);
  // An odd width: YUY2 rows hold whole pairs, the last pixel its own Y.
  const std::vector<std::uint8_t> odd = {235, 128, 235, 128, 16, 128, 99, 128};
  media::Frame three = Sized(3, 1);
  ASSERT_EQ(media::BufferBytes(PixelFormat::kYuy2, 3, 1), odd.size());
  ASSERT_EQ(S_OK, media::ConvertToFrame(PixelFormat::kYuy2, true, odd.data(), odd.size(), three));
  ExpectPixel(three, 2, 0, {0, 0, 0}, 1);
}

TEST(PixelConversion, RefusesShortBuffersAndEmptyFrames) {
  const std::vector<std::uint8_t> bytes(64, 128);
  struct Case {
    PixelFormat format;
    int width, height;
  };
  for (const Case c : {Case{PixelFormat::kRgb24, 6, 5}, Case{PixelFormat::kRgb32, 4, 5},
                       Case{PixelFormat::kYuy2, 6, 6}, Case{PixelFormat::kNv12, 8, 6}}) {
    media::Frame frame = Sized(c.width, c.height);
    const media::Frame before = frame;
    ASSERT_GT(media::BufferBytes(c.format, c.width, c.height), bytes.size());
    EXPECT_EQ(E_INVALIDARG, media::ConvertToFrame(c.format, false, bytes.data(), bytes.size(), frame));
    EXPECT_TRUE(frame == before) << "nothing written";
  }
  media::Frame empty;
  EXPECT_EQ(E_INVALIDARG, media::ConvertToFrame(PixelFormat::kRgb24, false, bytes.data(), bytes.size(), empty));
  media::Frame one = Sized(1, 1);
  EXPECT_EQ(E_INVALIDARG, media::ConvertToFrame(PixelFormat::kRgb24, false, nullptr, 4, one));
}

}  // namespace
