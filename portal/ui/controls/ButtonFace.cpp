// Fills, bevels and arrows of the skinned button faces.
#include "ui/controls/ButtonFace.h"

#include "common/UniqueHandle.h"

namespace portal::controls {
namespace {

constexpr int kArrowLines = 5;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const COLORREF previous = ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

void DrawBevel(HDC dc, const RECT& rect, COLORREF light, COLORREF dark, bool pressed) {
  if (rect.right - rect.left < 2 || rect.bottom - rect.top < 2) return;
  const COLORREF topLeft = pressed ? dark : light, bottomRight = pressed ? light : dark;
  FillSolid(dc, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
  FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
  FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
  FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

void DrawArrow(HDC dc, const RECT& rect, COLORREF color, ArrowDirection direction, bool pressed) {
  common::UniquePen pen(::CreatePen(PS_SOLID, 1, color));
  common::SelectionGuard selected(dc, pen.get());
  const int offset = pressed ? 1 : 0;
  const int cx = (rect.left + rect.right) / 2 + offset, cy = (rect.top + rect.bottom) / 2 + offset;
  // Lines of 9, 7, 5, 3 and 1 pixels, the longest at the arrow's base.
  for (int i = 0; i < kArrowLines; ++i) {
    const int half = kArrowLines - 1 - i;
    if (direction == ArrowDirection::Right) {
      const int x = cx - 2 + i;
      Line(dc, x, cy - half, x, cy + half + 1);
    } else {
      const int y = cy - 2 + i;
      Line(dc, cx - half, y, cx + half + 1, y);
    }
  }
}

}  // namespace portal::controls
