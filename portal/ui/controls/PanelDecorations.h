// The pieces a popup panel adds to its template: close button, etched line
// and check button, and the drawing of the close button.
#pragma once

#include <windows.h>

#include <memory>

namespace portal::controls {

class CButtonTEx;

// Adds what dialog lacks and, when it added the check button, grows the
// dialog by 6 x 38 pixels to hold it. The check button is returned (it
// lives while the dialog does); nullptr when the template had one.
std::unique_ptr<CButtonTEx> AddPanelDecorations(HWND dialog);

// WM_DRAWITEM of the close button: a small cross on the button face.
void DrawCloseButton(const DRAWITEMSTRUCT& item);

}  // namespace portal::controls
