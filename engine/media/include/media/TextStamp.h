// Draws a text stamp onto a frame with GDI: the frame is copied into a DIB
// section, drawn on through a memory DC with the style's font, colours and
// placement (TextStampStyle.h), and copied back. Drawing is clipped to the
// stamp rectangle, so nothing outside it changes.
#pragma once

#include <windows.h>

#include <string_view>

#include "media/Frame.h"
#include "media/TextStampStyle.h"

namespace media {

// Stamps text (ANSI; line breaks start new lines) onto frame. Empty text
// draws nothing and succeeds with an empty rectangle. stampRect, when
// given, receives the rectangle drawn in, in top-down frame coordinates.
// GDI failures come back as HRESULTs with the frame untouched.
HRESULT DrawTextStamp(Frame& frame, std::string_view text, const TextStampStyle& style,
                      RECT* stampRect = nullptr);

}  // namespace media
