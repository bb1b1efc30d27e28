// The picture of a skinned button: an icon, a bitmap with a transparent
// colour, or a bitmap with a mask. The picture owns its handles.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace portal::controls {

class ButtonPicture {
 public:
  void SetIcon(common::UniqueIcon icon);
  // Pixels of transparent are not drawn.
  void SetBitmap(common::UniqueBitmap bitmap, COLORREF transparent);
  // A monochrome mask of the bitmap's size: white where the background
  // shows, black where the picture is; the picture is black where the mask
  // is white.
  void SetMaskedBitmap(common::UniqueBitmap bitmap, common::UniqueBitmap mask);
  void Clear();

  bool Empty() const { return !icon_ && !bitmap_; }
  SIZE Size() const { return size_; }
  // Draws the picture with its top-left corner at (x, y); a disabled
  // picture is drawn greyed.
  void Draw(HDC dc, int x, int y, bool disabled) const;
  // Draws it centred in area, one pixel right and down when pressed.
  void DrawCentred(HDC dc, const RECT& area, bool pressed, bool disabled) const;

 private:
  enum class Kind { None, Icon, TransparentBitmap, MaskedBitmap };
  void DrawBitmap(HDC dc, int x, int y) const;

  Kind kind_ = Kind::None;
  common::UniqueIcon icon_;
  common::UniqueBitmap bitmap_;
  common::UniqueBitmap mask_;
  COLORREF transparent_ = 0;
  SIZE size_ = {0, 0};
};

}  // namespace portal::controls
