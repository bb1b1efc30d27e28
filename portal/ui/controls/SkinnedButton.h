// What the image button and CButtonTEx share: a window with the six face
// colours and a picture, each change repainting the face.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"
#include "ui/controls/ButtonColors.h"
#include "ui/controls/ButtonPicture.h"
#include "ui/controls/ControlWindow.h"

namespace portal::controls {

class SkinnedButton : public ControlWindow {
 public:
  // Colour index (ButtonColorIndex) to value: the previous value, or -1
  // for index 0 (defaults restored) and unknown indexes. Repaints.
  LONG SetColor(int index, COLORREF value);
  const ButtonColors& Colors() const { return colors_; }

  // The picture; the button owns it.
  void SetIcon(common::UniqueIcon icon);
  void SetBitmap(common::UniqueBitmap bitmap, COLORREF transparent);
  void SetMaskedBitmap(common::UniqueBitmap bitmap, common::UniqueBitmap mask);

 protected:
  SkinnedButton() : colors_(SystemDefaultButtonColors()) {}
  void Repaint();
  // WM_PAINT: the face in the window's font.
  void OnPaint();
  virtual void PaintFace(HDC dc, const RECT& client) = 0;

  ButtonColors colors_;
  ButtonPicture picture_;
};

}  // namespace portal::controls
