// Colours and pictures of the skinned buttons.
#include "ui/controls/SkinnedButton.h"

namespace portal::controls {

LONG SkinnedButton::SetColor(int index, COLORREF value) {
  const LONG previous = SetButtonColor(&colors_, index, value, SystemDefaultButtonColors());
  Repaint();
  return previous;
}

void SkinnedButton::SetIcon(common::UniqueIcon icon) {
  picture_.SetIcon(std::move(icon));
  Repaint();
}

void SkinnedButton::SetBitmap(common::UniqueBitmap bitmap, COLORREF transparent) {
  picture_.SetBitmap(std::move(bitmap), transparent);
  Repaint();
}

void SkinnedButton::SetMaskedBitmap(common::UniqueBitmap bitmap, common::UniqueBitmap mask) {
  picture_.SetMaskedBitmap(std::move(bitmap), std::move(mask));
  Repaint();
}

void SkinnedButton::Repaint() {
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void SkinnedButton::OnPaint() {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(Handle(), &ps);
  RECT client;
  ::GetClientRect(Handle(), &client);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  common::SelectionGuard selected(dc, font);
  PaintFace(dc, client);
  ::EndPaint(Handle(), &ps);
}

}  // namespace portal::controls
