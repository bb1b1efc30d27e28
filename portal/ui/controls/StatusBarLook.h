// How a CStatusBarEx looks: its font, the colour of a pressed pane and the
// widths of its panes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "ui/controls/StatusBarPanes.h"

namespace portal::controls {

inline constexpr LONG kBarFontHeight = 16;

// The bar's font from the system's status-bar font (nothing when it could
// not be read: Arial of weight 400); a height above 16 or negative becomes
// 16.
LOGFONTW BarFont(const std::optional<LOGFONTW>& systemStatusFont);
// The system's status-bar font, when it can be read.
std::optional<LOGFONTW> SystemStatusFont();

// Per channel (4 x face + caption) / 5.
COLORREF PressedPaneColor(COLORREF face, COLORREF activeCaption);

// What the width of one pane depends on.
struct PaneMeasure {
  LONG kind = kTextPane;
  int textWidth = 0;       // of its text in the bar's font
  bool hasIcon = false;
  int ownerWidth = 0;      // kind 7: the width the owner supplied
};
// Right edges of the panes for a bar whose client is barWidth wide (the
// last edge of a bar without a main text pane is -1: to the end). The
// main text pane takes what the others leave.
std::vector<int> PaneRightEdges(const std::vector<PaneMeasure>& panes, int barWidth);

}  // namespace portal::controls
