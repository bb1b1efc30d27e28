// Style of the text stamp the engine draws onto pictures and movies, as the
// client sets it through the early-bound text stamp properties.
#pragma once

#include <windows.h>

#include <string>

namespace portal {

struct TextStampStyle {
  LONG color = 0xFFFFFF;
  std::wstring fontName = L"MS Sans Serif";
  LONG fontSize = 10;
  LONG value1 = 1;
  LONG color2 = 0;
  LONG value2 = 1;
  LONG color3 = 0;
};

}  // namespace portal
