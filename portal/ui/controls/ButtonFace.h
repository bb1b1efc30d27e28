// Drawing pieces shared by the skinned button faces: solid fills, the
// one-pixel bevel and the small arrow of an image button without picture.
#pragma once

#include <windows.h>

namespace portal::controls {

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// Light at the top and left, dark at the bottom and right; swapped while
// pressed.
void DrawBevel(HDC dc, const RECT& rect, COLORREF light, COLORREF dark, bool pressed);

enum class ArrowDirection { Right, Down };
// A small triangle of five lines centred in rect, one pixel right and down
// while pressed.
void DrawArrow(HDC dc, const RECT& rect, COLORREF color, ArrowDirection direction, bool pressed);

}  // namespace portal::controls
