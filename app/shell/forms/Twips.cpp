// The screen's DPI.
#include "Twips.h"

#include "common/UniqueHandle.h"

namespace torvane {

Twips Twips::Screen() {
  common::WindowDc screen(nullptr);
  if (!screen) return Twips(96, 96);
  return Twips(::GetDeviceCaps(screen.get(), LOGPIXELSX), ::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace torvane
