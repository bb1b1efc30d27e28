// Loading a bitmap file as a picture object, the way the JPEG conversion
// reads the camera's temporary bitmap. The bitmap keeps the file's own
// depth (a DIB section), so a 24-bit file gives a 24-bit picture whatever
// the display depth.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include <common/ComPtr.h>

common::ComPtr<IPicture> LoadBitmapPicture(const std::wstring& path);

enum class BitmapLoadPath {
  kAny,            // a plain 24-bit file read directly, anything else through LoadImage
  kLoadImageOnly,  // always LoadImage (tests compare the two)
};

// LoadBitmapPicture with the reading path chosen; usedDirect, when given,
// tells whether the file was read directly.
common::ComPtr<IPicture> LoadBitmapPicture(const std::wstring& path, BitmapLoadPath loadPath,
                                           bool* usedDirect = nullptr);
