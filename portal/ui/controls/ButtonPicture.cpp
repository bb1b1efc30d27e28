// Drawing the pictures of skinned buttons.
#include "ui/controls/ButtonPicture.h"

namespace portal::controls {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !::GetIconInfo(icon, &info)) return {0, 0};
  const common::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  SIZE size = BitmapSize(info.hbmMask);
  if (!info.hbmColor) size.cy /= 2;  // a monochrome icon stacks its AND and XOR masks
  return size;
}

}  // namespace

void ButtonPicture::SetIcon(common::UniqueIcon icon) {
  Clear();
  size_ = IconSize(icon.get());
  icon_ = std::move(icon);
  kind_ = icon_ ? Kind::Icon : Kind::None;
}

void ButtonPicture::SetBitmap(common::UniqueBitmap bitmap, COLORREF transparent) {
  Clear();
  size_ = BitmapSize(bitmap.get());
  bitmap_ = std::move(bitmap);
  transparent_ = transparent;
  kind_ = bitmap_ ? Kind::TransparentBitmap : Kind::None;
}

void ButtonPicture::SetMaskedBitmap(common::UniqueBitmap bitmap, common::UniqueBitmap mask) {
  Clear();
  size_ = BitmapSize(bitmap.get());
  bitmap_ = std::move(bitmap);
  mask_ = std::move(mask);
  kind_ = bitmap_ && mask_ ? Kind::MaskedBitmap : bitmap_ ? Kind::TransparentBitmap : Kind::None;
}

void ButtonPicture::Clear() {
  icon_.reset();
  bitmap_.reset();
  mask_.reset();
  kind_ = Kind::None;
  size_ = {0, 0};
}

void ButtonPicture::Draw(HDC dc, int x, int y, bool disabled) const {
  if (kind_ == Kind::None) return;
  if (disabled) {
    const UINT type = kind_ == Kind::Icon ? DST_ICON : DST_BITMAP;
    const LPARAM picture = kind_ == Kind::Icon ? reinterpret_cast<LPARAM>(icon_.get())
                                               : reinterpret_cast<LPARAM>(bitmap_.get());
    ::DrawStateW(dc, nullptr, nullptr, picture, 0, x, y, size_.cx, size_.cy, type | DSS_DISABLED);
    return;
  }
  if (kind_ == Kind::Icon) {
    ::DrawIconEx(dc, x, y, icon_.get(), size_.cx, size_.cy, 0, nullptr, DI_NORMAL);
  } else {
    DrawBitmap(dc, x, y);
  }
}

void ButtonPicture::DrawBitmap(HDC dc, int x, int y) const {
  common::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  common::SelectionGuard picture(memory.get(), bitmap_.get());
  if (kind_ == Kind::TransparentBitmap) {
    ::TransparentBlt(dc, x, y, size_.cx, size_.cy, memory.get(), 0, 0, size_.cx, size_.cy, transparent_);
    return;
  }
  common::UniqueMemoryDc maskDc(::CreateCompatibleDC(dc));
  if (!maskDc) return;
  common::SelectionGuard mask(maskDc.get(), mask_.get());
  ::BitBlt(dc, x, y, size_.cx, size_.cy, maskDc.get(), 0, 0, SRCAND);
  ::BitBlt(dc, x, y, size_.cx, size_.cy, memory.get(), 0, 0, SRCPAINT);
}

void ButtonPicture::DrawCentred(HDC dc, const RECT& area, bool pressed, bool disabled) const {
  const int offset = pressed ? 1 : 0;
  const int x = area.left + ((area.right - area.left) - size_.cx) / 2 + offset;
  const int y = area.top + ((area.bottom - area.top) - size_.cy) / 2 + offset;
  Draw(dc, x, y, disabled);
}

}  // namespace portal::controls
