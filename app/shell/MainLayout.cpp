// Twips to pixels for the main window's layout.
#include "MainLayout.h"

namespace torvane {

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

RECT ToPixels(const TwipsRect& twips, int dpiX, int dpiY, int offsetY) {
  // Convert the edges, not the sizes, so that neighbouring controls meet
  // exactly where their twips meet.
  const int left = TwipsToPixels(twips.left, dpiX);
  const int top = TwipsToPixels(twips.top, dpiY) + offsetY;
  return RECT{left, top, TwipsToPixels(twips.left + twips.width, dpiX),
              TwipsToPixels(twips.top + twips.height, dpiY) + offsetY};
}

RECT HelpButtonPlace(const RECT& button6, int dpiX, int dpiY) {
  const int left = button6.right + TwipsToPixels(MainDesign::kHelpButtonGap, dpiX);
  const int height = TwipsToPixels(MainDesign::kHelpButtonHeight, dpiY);
  const int top = button6.top + ((button6.bottom - button6.top) - height) / 2;
  return RECT{left, top, left + TwipsToPixels(MainDesign::kHelpButtonWidth, dpiX), top + height};
}

}  // namespace torvane
