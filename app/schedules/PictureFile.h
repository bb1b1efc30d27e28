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
