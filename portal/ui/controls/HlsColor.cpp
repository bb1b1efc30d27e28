// Hue/lightness/saturation conversions.
#include "ui/controls/HlsColor.h"

#include <algorithm>
#include <cmath>

namespace portal::controls {
namespace {

double Clamp01(double value) { return std::min(1.0, std::max(0.0, value)); }

BYTE ToChannel(double value) { return static_cast<BYTE>(std::lround(Clamp01(value) * 255.0)); }

// One channel from the two intermediate values and a hue in degrees.
double HueToChannel(double low, double high, double hue) {
  hue = std::fmod(hue, 360.0);
  if (hue < 0) hue += 360.0;
  if (hue < 60) return low + (high - low) * hue / 60.0;
  if (hue < 180) return high;
  if (hue < 240) return low + (high - low) * (240.0 - hue) / 60.0;
  return low;
}

}  // namespace

Hls ToHls(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int high = std::max({r, g, b}), low = std::min({r, g, b});
  Hls hls;
  hls.lightness = (high + low) / 510.0;
  if (high == low) return hls;  // grey: no hue, no saturation
  const double range = high - low, sum = high + low;
  hls.saturation = hls.lightness <= 0.5 ? range / sum : range / (510.0 - sum);
  double hue;
  if (high == r) {
    hue = (g - b) / range;
  } else if (high == g) {
    hue = 2.0 + (b - r) / range;
  } else {
    hue = 4.0 + (r - g) / range;
  }
  hls.hue = hue * 60.0;
  if (hls.hue < 0) hls.hue += 360.0;
  return hls;
}

COLORREF FromHls(const Hls& hls) {
  const double lightness = Clamp01(hls.lightness), saturation = Clamp01(hls.saturation);
  if (saturation == 0) {
    const BYTE grey = ToChannel(lightness);
    return RGB(grey, grey, grey);
  }
  const double high = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
  const double low = 2.0 * lightness - high;
  return RGB(ToChannel(HueToChannel(low, high, hls.hue + 120.0)), ToChannel(HueToChannel(low, high, hls.hue)),
             ToChannel(HueToChannel(low, high, hls.hue - 120.0)));
}

double Lightness(COLORREF color) { return ToHls(color).lightness; }

COLORREF AtLightness(COLORREF color, double lightness) {
  Hls hls = ToHls(color);
  hls.lightness = lightness;
  return FromHls(hls);
}

COLORREF ShiftLightness(COLORREF color, double delta) {
  Hls hls = ToHls(color);
  hls.lightness += delta;
  return FromHls(hls);
}

}  // namespace portal::controls
