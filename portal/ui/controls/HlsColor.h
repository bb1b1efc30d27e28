// Colour shading in the hue/lightness/saturation model: hue in degrees
// (0..360), lightness (max + min) / 510 of the channel values, saturation
// 0..1. The button faces derive their hover and bevel colours with it.
#pragma once

#include <windows.h>

namespace portal::controls {

struct Hls {
  double hue = 0;         // degrees, 0 <= hue < 360
  double lightness = 0;   // 0..1
  double saturation = 0;  // 0..1
};

Hls ToHls(COLORREF color);
// Lightness is clamped to 0..1; zero saturation gives grey.
COLORREF FromHls(const Hls& hls);

double Lightness(COLORREF color);
// color with its lightness replaced by lightness (clamped to 0..1).
COLORREF AtLightness(COLORREF color, double lightness);
// color with delta added to its lightness (the result clamped to 0..1).
COLORREF ShiftLightness(COLORREF color, double delta);

// Offsets of the light and dark bevel from a background colour.
inline constexpr double kLightBevelShift = 0.255;
inline constexpr double kDarkBevelShift = -0.165;

}  // namespace portal::controls
