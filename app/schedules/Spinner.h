// updDegree: an up-down control that steps the number in its buddy field
// by 1 within a range.
#pragma once

#include <windows.h>

namespace torvane {

void AttachSpinner(HWND upDown, HWND buddy, int min, int max, int position);

}  // namespace torvane
