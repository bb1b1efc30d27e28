// Bitmap file to picture object.
#include "PictureFile.h"

common::ComPtr<IPicture> LoadBitmapPicture(const std::wstring& path) {
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  common::ComPtr<IPicture> picture;
  // fOwn: the picture object deletes the bitmap when it is released.
  if (FAILED(::OleCreatePictureIndirect(&description, IID_IPicture, TRUE, picture.put_void()))) {
    ::DeleteObject(bitmap);
    return {};
  }
  return picture;
}
