// Where a popup panel opens next to its anchor and how it slides out: the
// side chosen against the desktop work area, and the extents of the slide
// steps. No windows involved.
#pragma once

#include <windows.h>

#include <array>

namespace portal::controls {

enum class PanelSide { Right, Below, Above };

struct PanelPlacement {
  PanelSide side = PanelSide::Right;
  POINT topLeft = {0, 0};  // screen coordinates of the panel's window
};

// Right: left edge at the anchor's right, top one pixel above the anchor's
// top (moved up to end at the work area's bottom when the anchor's top
// plus the panel's height passes it). Below: top at the anchor's bottom;
// above: bottom at the anchor's top; both right-aligned with the anchor.
// A side that does not fit (past the work area's right edge, past its
// bottom, above the top of the screen) gives way to the next that fits:
// right -> below, above; below -> right, above; above -> below, right;
// when none fits the preferred side stays.
PanelPlacement PlacePanel(const RECT& anchor, SIZE panel, PanelSide preferred, const RECT& workArea);

inline constexpr int kSlideSteps = 10;
// The panel's extent after each step: step k shows k tenths of full,
// rounded down, so that the last step shows exactly full.
std::array<int, kSlideSteps> SlideExtents(int full);

}  // namespace portal::controls
