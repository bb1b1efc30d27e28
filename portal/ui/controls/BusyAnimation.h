// The busy animation: in a dialog that holds a placeholder control with id
// 1199, the placeholder is hidden and an animation control named "Fotovel"
// (id 1) takes its place, playing AVI resource 289 of the resource module
// once from the first to the last frame.
#pragma once

#include <windows.h>

#include "resources/LTovra2/LTovra2Ids.h"

namespace portal::controls {

class BusyAnimation {
 public:
  static constexpr int kPlaceholderId = IDC_BUSY_PLACEHOLDER;  // 1199
  static constexpr int kAnimationId = 1;
  static constexpr wchar_t kAnimationName[] = L"Fotovel";

  // The animation control made in dialog, or nullptr when the dialog has
  // no placeholder or the control cannot be created. *playing tells
  // whether the movie could be opened from resources and started.
  static HWND Replace(HWND dialog, HMODULE resources, bool* playing);
};

}  // namespace portal::controls
