// Seven-segment figures for the scene's clock and counter.
#include "media/SegmentText.h"

#include <algorithm>
#include <cstring>

namespace media {

namespace {

// Segment bits a..g (top, top right, bottom right, bottom, bottom left,
// top left, middle) for the digits 0-9.
constexpr std::uint8_t kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                             0x6D, 0x7D, 0x07, 0x7F, 0x6F};

int DigitWidth(int height) { return std::max(3, height / 2); }
int Thickness(int height) { return std::max(1, height / 8); }
int Gap(int height) { return std::max(1, height / 6); }

void DrawDigit(Frame& frame, int x, int y, int height, int digit, Bgr colour) {
  const int w = DigitWidth(height), t = Thickness(height), half = height / 2;
  const std::uint8_t bits = kDigitSegments[digit];
  if (bits & 0x01) FillRect(frame, x, y, w, t, colour);
  if (bits & 0x02) FillRect(frame, x + w - t, y, t, half + t / 2, colour);
  if (bits & 0x04) FillRect(frame, x + w - t, y + half - t / 2, t, height - half + t / 2, colour);
  if (bits & 0x08) FillRect(frame, x, y + height - t, w, t, colour);
  if (bits & 0x10) FillRect(frame, x, y + half - t / 2, t, height - half + t / 2, colour);
  if (bits & 0x20) FillRect(frame, x, y, t, half + t / 2, colour);
  if (bits & 0x40) FillRect(frame, x, y + half - t / 2, w, t, colour);
}

void DrawColon(Frame& frame, int x, int y, int height, Bgr colour) {
  const int t = Thickness(height);
  FillRect(frame, x, y + height / 4, t, t, colour);
  FillRect(frame, x, y + 3 * height / 4 - t, t, t, colour);
}

int CharWidth(char c, int height) {
  return c == ':' ? Thickness(height) : DigitWidth(height);
}

}  // namespace

void FillRect(Frame& frame, int x, int y, int w, int h, Bgr colour) {
  const int x0 = std::max(0, x), x1 = std::min(frame.Width(), x + w);
  const int y0 = std::max(0, y), y1 = std::min(frame.Height(), y + h);
  if (x0 >= x1 || y0 >= y1) return;
  const std::uint8_t pixel[3] = {colour.b, colour.g, colour.r};
  std::uint8_t* first = frame.Row(y0) + 3 * x0;
  for (int i = 0; i < x1 - x0; ++i) std::memcpy(first + 3 * i, pixel, 3);
  const std::size_t bytes = static_cast<std::size_t>(x1 - x0) * 3;
  for (int row = y0 + 1; row < y1; ++row) std::memcpy(frame.Row(row) + 3 * x0, first, bytes);
}

int SegmentTextWidth(std::string_view text, int height) {
  int width = 0;
  for (char c : text) width += CharWidth(c, height) + Gap(height);
  return text.empty() ? 0 : width - Gap(height);
}

void DrawSegmentText(Frame& frame, int x, int y, int height, std::string_view text, Bgr colour) {
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      DrawDigit(frame, x, y, height, c - '0', colour);
    } else if (c == ':') {
      DrawColon(frame, x, y, height, colour);
    }
    x += CharWidth(c, height) + Gap(height);
  }
}

}  // namespace media
