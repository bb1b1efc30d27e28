// Side choice and slide steps of the popup panels.
#include "ui/controls/PanelPlacement.h"

namespace portal::controls {
namespace {

constexpr int kScreenTop = 0;

POINT TopLeftOn(PanelSide side, const RECT& anchor, SIZE panel, const RECT& workArea) {
  switch (side) {
    case PanelSide::Right: {
      LONG top = anchor.top - 1;
      if (anchor.top + panel.cy > workArea.bottom) top = workArea.bottom - panel.cy;
      return {anchor.right, top};
    }
    case PanelSide::Below:
      return {anchor.right - panel.cx, anchor.bottom};
    case PanelSide::Above:
    default:
      return {anchor.right - panel.cx, anchor.top - panel.cy};
  }
}

bool Fits(PanelSide side, POINT topLeft, SIZE panel, const RECT& workArea) {
  switch (side) {
    case PanelSide::Right: return topLeft.x + panel.cx <= workArea.right;
    case PanelSide::Below: return topLeft.y + panel.cy <= workArea.bottom;
    case PanelSide::Above:
    default: return topLeft.y >= kScreenTop;
  }
}

std::array<PanelSide, 3> Preference(PanelSide preferred) {
  switch (preferred) {
    case PanelSide::Right: return {PanelSide::Right, PanelSide::Below, PanelSide::Above};
    case PanelSide::Below: return {PanelSide::Below, PanelSide::Right, PanelSide::Above};
    case PanelSide::Above:
    default: return {PanelSide::Above, PanelSide::Below, PanelSide::Right};
  }
}

}  // namespace

PanelPlacement PlacePanel(const RECT& anchor, SIZE panel, PanelSide preferred, const RECT& workArea) {
  for (PanelSide side : Preference(preferred)) {
    const POINT topLeft = TopLeftOn(side, anchor, panel, workArea);
    if (Fits(side, topLeft, panel, workArea)) return {side, topLeft};
  }
  return {preferred, TopLeftOn(preferred, anchor, panel, workArea)};
}

std::array<int, kSlideSteps> SlideExtents(int full) {
  std::array<int, kSlideSteps> extents = {};
  for (int step = 1; step <= kSlideSteps; ++step) {
    extents[step - 1] = static_cast<int>(static_cast<long long>(full) * step / kSlideSteps);
  }
  return extents;
}

}  // namespace portal::controls
