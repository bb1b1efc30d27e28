// Where the main window's controls go. Positions are designed in twips
// (1440 to the logical inch) and turned into pixels through the screen's
// DPI, so the window keeps its proportions on any display setting.
#pragma once

#include <windows.h>

namespace torvane {

int TwipsToPixels(int twips, int dpi);

// A rectangle in twips: left, top, width, height.
struct TwipsRect {
  int left, top, width, height;
};

RECT ToPixels(const TwipsRect& twips, int dpiX, int dpiY, int offsetY = 0);

// The designed places (twips) of the controls under the toolbar. The live
// view holds the control's whole window: the 320 x 240 picture with its
// borders and the control's pane bar under it, 324 x 289 pixels with the
// usual status bar font, and a few pixels to spare for a taller one.
struct MainDesign {
  static constexpr TwipsRect kFrame{120, 60, 10200, 5490};          // fra1
  static constexpr TwipsRect kVideoLabel{240, 300, 4860, 255};      // Label1
  static constexpr TwipsRect kLiveView{240, 600, 4860, 4410};       // vidPort
  static constexpr TwipsRect kImageLabel{5280, 300, 4830, 255};     // lblImage
  static constexpr TwipsRect kSnapshot{5280, 600, 4830, 3630};      // imgSnapshot
  static constexpr TwipsRect kFileName{5280, 4290, 4830, 600};      // lblFileName
  static constexpr TwipsRect kMotionMess{240, 5610, 10080, 285};    // lblMotionMess
  static constexpr int kClientWidth = 10440;
  static constexpr int kClientHeightBelowToolbar = 5970;
  static constexpr int kHelpButtonWidth = 855;
  static constexpr int kHelpButtonHeight = 375;
  static constexpr int kHelpButtonGap = 100;     // right of toolbar button 6
  static constexpr int kWindowLeft = 100;        // main window position
  static constexpr int kWindowTop = 100;
  static constexpr int kStatusPanel1Width = 5000;
};

// cmdHelp: its left edge 100 twips right of toolbar button 6's right edge,
// vertically centred on that button (all in toolbar-parent pixels).
RECT HelpButtonPlace(const RECT& button6, int dpiX, int dpiY);

}  // namespace torvane
