// The GDI side of sampling: draws a rectangle of a device context into a
// 24-bit DIB section, stretched per component size with halftoning, with
// the last column and row replicated into the block padding, and hands the
// pixel rows to the encoding core.
#pragma once

#include <windows.h>

#include "JpegEncoder.h"

namespace jpeg {

// 0 success, 1 when the memory DC or the DIB section cannot be made (or the
// size cannot be described by a JPEG frame).
LONG SampleDeviceContext(JpegEncoder& encoder, HDC source, LONG width, LONG height,
                         LONG srcLeft, LONG srcTop);

}  // namespace jpeg
