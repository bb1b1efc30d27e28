// Default and changed colours of the skinned button faces.
#include "ui/controls/ButtonColors.h"

#include <algorithm>

#include "ui/controls/HlsColor.h"

namespace portal::controls {
namespace {

// Dark system faces get the system bevels and a light blue hover arrow.
constexpr double kDarkFaceLimit = 0.5;
constexpr double kBackgroundLift = 0.04;
constexpr double kLightBevelLift = 0.15;
constexpr double kDarkBevelDrop = 0.3;

COLORREF HoverOf(COLORREF background) {
  // Red and green wrap around, blue stops at its maximum.
  const int red = (GetRValue(background) - 10) & 0xFF;
  const int green = (GetGValue(background) - 5) & 0xFF;
  const int blue = std::min(255, GetBValue(background) + 5);
  return RGB(red, green, blue);
}

}  // namespace

SystemButtonColors SystemButtonColors::Current() {
  return {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW),
          ::GetSysColor(COLOR_BTNTEXT)};
}

ButtonColors DefaultButtonColors(const SystemButtonColors& system) {
  const double faceLightness = Lightness(system.face);
  const double backgroundLightness = std::min(1.0, faceLightness + kBackgroundLift);
  const double lightLightness = std::min(1.0, backgroundLightness + kLightBevelLift);
  const bool darkFace = faceLightness < kDarkFaceLimit;
  ButtonColors colors;
  colors.normalBackground = AtLightness(system.face, backgroundLightness);
  colors.hoverBackground = HoverOf(colors.normalBackground);
  colors.lightBevel = darkFace ? system.highlight : AtLightness(system.face, lightLightness);
  colors.darkBevel =
      darkFace ? system.shadow : AtLightness(system.face, std::max(0.0, lightLightness - kDarkBevelDrop));
  colors.normalForeground = system.text;
  colors.hoverForeground = darkFace ? RGB(128, 128, 255) : RGB(0, 0, 255);
  return colors;
}

const ButtonColors& SystemDefaultButtonColors() {
  static const ButtonColors defaults = DefaultButtonColors(SystemButtonColors::Current());
  return defaults;
}

COLORREF LightShadeOf(COLORREF background) { return ShiftLightness(background, kLightBevelShift); }
COLORREF DarkShadeOf(COLORREF background) { return ShiftLightness(background, kDarkBevelShift); }

LONG SetButtonColor(ButtonColors* colors, int index, COLORREF value, const ButtonColors& defaults) {
  COLORREF* target = nullptr;
  switch (index) {
    case kRestoreDefaultColors:
      *colors = defaults;
      return kNoPreviousColor;
    case kNormalBackground: {
      const COLORREF previous = colors->normalBackground;
      colors->normalBackground = value;
      colors->lightBevel = LightShadeOf(value);
      colors->darkBevel = DarkShadeOf(value);
      return static_cast<LONG>(previous);
    }
    case kHoverBackground: target = &colors->hoverBackground; break;
    case kNormalForeground: target = &colors->normalForeground; break;
    case kHoverForeground: target = &colors->hoverForeground; break;
    case kLightBevel: target = &colors->lightBevel; break;
    case kDarkBevel: target = &colors->darkBevel; break;
    default: return kNoPreviousColor;
  }
  const COLORREF previous = *target;
  *target = value;
  return static_cast<LONG>(previous);
}

}  // namespace portal::controls
