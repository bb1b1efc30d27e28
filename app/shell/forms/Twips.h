// Twips (1/1440 inch) to pixels and back through the screen's DPI.
#pragma once

#include <windows.h>

namespace torvane {

class Twips {
 public:
  static Twips Screen();
  Twips(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

  int ToPixelsX(int twips) const { return ::MulDiv(twips, dpiX_, 1440); }
  int ToPixelsY(int twips) const { return ::MulDiv(twips, dpiY_, 1440); }
  int FromPixelsX(int pixels) const { return ::MulDiv(pixels, 1440, dpiX_); }
  int FromPixelsY(int pixels) const { return ::MulDiv(pixels, 1440, dpiY_); }

 private:
  int dpiX_;
  int dpiY_;
};

}  // namespace torvane
