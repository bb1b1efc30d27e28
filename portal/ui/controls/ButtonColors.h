// The six colours of a skinned button face and how they are set: the
// defaults derived from the system colours, and the colour indexes the
// buttons' SetColor takes.
#pragma once

#include <windows.h>

namespace portal::controls {

struct ButtonColors {
  COLORREF normalBackground = 0;
  COLORREF hoverBackground = 0;
  COLORREF lightBevel = 0;
  COLORREF darkBevel = 0;
  COLORREF normalForeground = 0;  // the arrow or the caption
  COLORREF hoverForeground = 0;
};

// Colour indexes of SetColor.
enum ButtonColorIndex : int {
  kRestoreDefaultColors = 0,
  kNormalBackground = 1,  // also derives both bevels from the new colour
  kHoverBackground = 2,
  kNormalForeground = 3,
  kHoverForeground = 4,
  kLightBevel = 5,
  kDarkBevel = 6,
};

// Answer of SetColor for index 0 and for an unknown index.
inline constexpr LONG kNoPreviousColor = -1;

// The system colours the defaults come from.
struct SystemButtonColors {
  COLORREF face = 0;       // COLOR_BTNFACE
  COLORREF highlight = 0;  // COLOR_BTNHIGHLIGHT
  COLORREF shadow = 0;     // COLOR_BTNSHADOW
  COLORREF text = 0;       // COLOR_BTNTEXT
  static SystemButtonColors Current();
};

ButtonColors DefaultButtonColors(const SystemButtonColors& system);
// The defaults of the running system, computed once.
const ButtonColors& SystemDefaultButtonColors();

// Applies SetColor(index, value) to colors: the previous value of the
// colour changed, or kNoPreviousColor (index 0 restores the defaults).
LONG SetButtonColor(ButtonColors* colors, int index, COLORREF value, const ButtonColors& defaults);

// The light and dark colour derived from a background (bevels, embossed
// captions).
COLORREF LightShadeOf(COLORREF background);
COLORREF DarkShadeOf(COLORREF background);

}  // namespace portal::controls
