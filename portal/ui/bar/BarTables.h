// What the pane bar shows, apart from any window: which configuration the
// bar is built in, the panes of each configuration, the resolution
// button's label for a capture width and the level indicator's picture.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/bar/PaneBar.h"
#include "ui/controls/StatusBarPanes.h"

namespace portal {

// Panes of the bar besides the two buttons others address.
inline constexpr LONG kPaneStatus = 116;      // the main text pane
inline constexpr LONG kPaneCompanion = 57702;
inline constexpr LONG kPaneLevel = 130;       // status indicators
inline constexpr LONG kPaneSwitch = 131;
inline constexpr LONG kPaneMode = 132;
inline constexpr LONG kPaneValue = 124;

// The configurations the bar is built in; kBarNone before the first build.
enum BarState : int {
  kBarNone = -1,
  kBarPlain = 0,             // status, camera button
  kBarCompanion = 1,         // ... with the companion button
  kBarFormat = 2,            // ... with the resolution button
  kBarFormatCompanion = 3,
  kBarIndicators = 4,        // a camera with status indicators
};

// A preview this wide or narrower gets the short indicator bar.
inline constexpr LONG kNarrowBarMaxWidth = 299;

struct BarChoice {
  bool indicatorCamera = false;  // the connected camera has status indicators
  bool companionCamera = false;  // its companion program serves it
  int sizeFlagsOn = 0;           // how many of the 640, 320 and 160 items are enabled
  bool companionWanted = false;  // the client's option element
};
BarState ChooseBarState(const BarChoice& choice);

// The panes of a configuration in bar order.
std::vector<controls::PaneRecord> BarPanes(BarState state, LONG previewWidth);

// The string that names a capture width on the resolution button.
UINT ResolutionLabel(LONG width, bool stillCapable);

// How the level indicator shows a level: a picture (0 for none) or else
// an icon, and the tooltip.
struct LevelLook {
  UINT bitmap;
  UINT icon;
  UINT tooltip;
};
LevelLook LevelLookOf(LONG level);

}  // namespace portal
