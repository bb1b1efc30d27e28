// The text stamp drawn with GDI: changes stay inside the stamp, empty text
// draws nothing, the style record is read with its size checked.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "media/TextStamp.h"

namespace {

media::Frame Grey(int w, int h) {
  media::Frame frame;
  EXPECT_EQ(frame.Allocate(w, h), S_OK);
  std::memset(frame.Bits(), 0x80, frame.ImageBytes());
  return frame;
}

// Pixels that differ: how many inside rect, how many outside.
std::pair<int, int> Changes(const media::Frame& a, const media::Frame& b, const RECT& rect) {
  int inside = 0, outside = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (std::memcmp(a.Row(y) + 3 * x, b.Row(y) + 3 * x, 3) == 0) continue;
      const POINT p = {x, y};
      ++(::PtInRect(&rect, p) ? inside : outside);
    }
  }
  return {inside, outside};
}

TEST(TextStamp, EachBackgroundAndPlacementChangesOnlyTheStampArea) {
  for (int background : {media::kStampTransparent, media::kStampBox, media::kStampShadow}) {
    for (int placement : {0, 1, 2, 3, 4, 5, 99}) {
      media::TextStampStyle style;
      style.background = background;
      style.placement = placement;
      style.backColour = RGB(0, 0, 160);
      style.borderColour = RGB(255, 0, 0);
      const media::Frame before = Grey(320, 240);
      media::Frame after = before;
      RECT rect;
      ASSERT_EQ(media::DrawTextStamp(after, "12:00 Front door", style, &rect), S_OK);
      const auto [inside, outside] = Changes(before, after, rect);
      EXPECT_GT(inside, 20) << background << "/" << placement;
      EXPECT_EQ(outside, 0) << background << "/" << placement;
      const bool top = placement == 0 || placement == 2 || placement == 4;
      EXPECT_EQ(top, rect.bottom < 120) << "placement " << placement;
    }
  }
}

TEST(TextStamp, EmptyTextDrawsNothing) {
  const media::Frame before = Grey(160, 120);
  media::Frame after = before;
  RECT rect = {1, 2, 3, 4};
  ASSERT_EQ(media::DrawTextStamp(after, "", media::TextStampStyle(), &rect), S_OK);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(::IsRectEmpty(&rect));
}

TEST(TextStamp, OversizedStyleValuesAndTextStayInsideTheFrame) {
  media::TextStampStyle style;
  style.pointSize = 100000;
  std::memset(style.faceName, 'x', sizeof style.faceName);  // unterminated face name
  media::Frame frame = Grey(40, 30);
  RECT rect;
  ASSERT_EQ(media::DrawTextStamp(frame, std::string(300, 'W') + "\r\nsecond line", style, &rect),
            S_OK);
  EXPECT_GE(rect.left, 0);
  EXPECT_GE(rect.top, 0);
  EXPECT_LE(rect.right, 40);
  EXPECT_LE(rect.bottom, 30);
  media::Frame empty;
  EXPECT_EQ(media::DrawTextStamp(empty, "x", style), E_INVALIDARG);
}

TEST(TextStampStyle, RecordIsCheckedAndTerminated) {
  media::TextStampStyle source;
  source.textColour = RGB(1, 2, 3);
  std::memset(source.faceName, 'A', sizeof source.faceName);
  unsigned char bytes[100] = {};
  std::memcpy(bytes, &source, sizeof source);
  media::TextStampStyle read;
  ASSERT_EQ(media::ParseTextStampStyle(bytes, 96, &read), S_OK);
  EXPECT_EQ(read.textColour, RGB(1, 2, 3));
  EXPECT_EQ(std::strlen(read.faceName), 63u);
  EXPECT_EQ(media::ParseTextStampStyle(bytes, 95, &read), E_INVALIDARG);
  bytes[0] = 95;
  EXPECT_EQ(media::ParseTextStampStyle(bytes, 96, &read), E_INVALIDARG);
  EXPECT_EQ(media::ParseTextStampStyle(nullptr, 96, &read), E_INVALIDARG);
}

}  // namespace
