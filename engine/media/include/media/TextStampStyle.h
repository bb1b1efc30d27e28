// The text stamp style record (96 bytes) and what its values mean here:
//   offset  4  textColour  COLORREF of the letters (default white)
//   offset  8  faceName    font face, zero-terminated (default "MS Sans Serif")
//   offset 72  pointSize   letter height in points at 96 dpi (default 10),
//                          held to 4..144 and to half the picture height
//   offset 76  background  0 = letters only; 1 = letters on a box filled
//                          with backColour (default); 2 = letters with a
//                          one-pixel drop shadow in backColour
//   offset 80  backColour  COLORREF of the box or the shadow (default black)
//   offset 84  placement   corner of the stamp: 0 top left, 1 bottom left
//                          (default), 2 top right, 3 bottom right, 4 top
//                          centre, 5 bottom centre; anything else = 1
//   offset 88  borderColour  one-pixel frame round the box (background 1
//                          only; default black, invisible on the default box)
//   offset 92  reserved, zero
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace media {

struct TextStampStyle {
  std::uint32_t size = sizeof(TextStampStyle);
  COLORREF textColour = RGB(255, 255, 255);
  char faceName[64] = "MS Sans Serif";
  std::int32_t pointSize = 10;
  std::int32_t background = 1;
  COLORREF backColour = RGB(0, 0, 0);
  std::int32_t placement = 1;
  COLORREF borderColour = RGB(0, 0, 0);
  std::uint32_t reserved = 0;
};
static_assert(sizeof(TextStampStyle) == 96, "the style record holds 96 bytes");
static_assert(offsetof(TextStampStyle, pointSize) == 72 &&
                  offsetof(TextStampStyle, placement) == 84 &&
                  offsetof(TextStampStyle, borderColour) == 88,
              "style record offsets");

enum StampBackground : std::int32_t { kStampTransparent = 0, kStampBox = 1, kStampShadow = 2 };

// Reads a style record from bytes: E_INVALIDARG unless bytes holds at least
// 96 bytes beginning with the size 96. The face name is always terminated.
HRESULT ParseTextStampStyle(const void* bytes, std::size_t count, TextStampStyle* style);

}  // namespace media
