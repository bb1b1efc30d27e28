// Digits and colons drawn as seven-segment figures straight into a frame:
// the scene's clock and frame counter need no font, stay deterministic and
// cost a few filled rectangles each.
#pragma once

#include <cstdint>
#include <string_view>

#include "media/Frame.h"

namespace media {

struct Bgr {
  std::uint8_t b = 0, g = 0, r = 0;
};

// Fills the rectangle [x, x+w) x [y, y+h) (top-down coordinates), clipped
// to the frame.
void FillRect(Frame& frame, int x, int y, int w, int h, Bgr colour);

// Width in pixels of text drawn with a digit height of `height`.
int SegmentTextWidth(std::string_view text, int height);

// Draws text ('0'-'9' and ':'; other characters leave a gap) with its top
// left corner at (x, y); each digit is `height` pixels tall.
void DrawSegmentText(Frame& frame, int x, int y, int height, std::string_view text, Bgr colour);

}  // namespace media
