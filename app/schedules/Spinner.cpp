// The up-down spinner.
#include "Spinner.h"

#include <commctrl.h>

namespace torvane {

void AttachSpinner(HWND upDown, HWND buddy, int min, int max, int position) {
  ::SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  ::SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  ::SendMessageW(upDown, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

}  // namespace torvane
