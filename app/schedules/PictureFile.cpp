// Bitmap file to picture object.
#include "PictureFile.h"

#include <cstdint>
#include <cstring>

#include <common/UniqueHandle.h>

namespace {

// A plain uncompressed 24-bit bottom-up file is read straight into a DIB
// section of the same layout: the pixels LoadImage would give, without its
// intermediate copies. Any other file returns nullptr and goes through
// LoadImage, which keeps its behaviour for unusual files. Top-down files
// are among them: under Wine 8 LoadImage gives them different pixels than
// the file holds, and the JPEG must stay what it was.
HBITMAP ReadPlain24BitFile(const std::wstring& path) {
  common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return nullptr;
  LARGE_INTEGER fileSize{};
  if (!::GetFileSizeEx(file.get(), &fileSize)) return nullptr;

  constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  static_assert(kHeaders == 54, "packed bitmap headers");
  unsigned char headers[kHeaders];
  DWORD read = 0;
  if (!::ReadFile(file.get(), headers, kHeaders, &read, nullptr) || read != kHeaders) {
    return nullptr;
  }
  BITMAPFILEHEADER fileHeader;
  BITMAPINFOHEADER infoHeader;
  std::memcpy(&fileHeader, headers, sizeof(fileHeader));
  std::memcpy(&infoHeader, headers + sizeof(fileHeader), sizeof(infoHeader));

  constexpr LONG kMaxSide = 32767;
  if (fileHeader.bfType != 0x4D42 /* 'BM' */ || infoHeader.biSize < sizeof(BITMAPINFOHEADER) ||
      infoHeader.biPlanes != 1 || infoHeader.biBitCount != 24 ||
      infoHeader.biCompression != BI_RGB || infoHeader.biClrUsed != 0 ||
      infoHeader.biWidth <= 0 || infoHeader.biWidth > kMaxSide || infoHeader.biHeight <= 0 || infoHeader.biHeight > kMaxSide) {
    return nullptr;
  }
  // The rows follow the header directly (no colour table, no gap).
  const std::uint64_t offBits = sizeof(BITMAPFILEHEADER) + std::uint64_t{infoHeader.biSize};
  if (fileHeader.bfOffBits != offBits) return nullptr;
  const std::uint64_t rows = static_cast<DWORD>(infoHeader.biHeight);
  const std::uint64_t stride = ((std::uint64_t{static_cast<DWORD>(infoHeader.biWidth)} * 24 + 31) / 32) * 4;
  const std::uint64_t pixelBytes = stride * rows;
  if (pixelBytes > 0x7FFFFFFF ||
      static_cast<std::uint64_t>(fileSize.QuadPart) < offBits + pixelBytes) {
    return nullptr;
  }

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = infoHeader.biWidth;
  info.bmiHeader.biHeight = infoHeader.biHeight;  // bottom-up, as the file
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biXPelsPerMeter = infoHeader.biXPelsPerMeter;
  info.bmiHeader.biYPelsPerMeter = infoHeader.biYPelsPerMeter;
  void* bits = nullptr;
  common::UniqueBitmap bitmap(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;

  // Same stride in the file and the section: the rows in one read.
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offBits);
  if (!::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN)) return nullptr;
  const DWORD want = static_cast<DWORD>(pixelBytes);
  if (!::ReadFile(file.get(), bits, want, &read, nullptr) || read != want) return nullptr;
  return bitmap.release();
}

common::ComPtr<IPicture> PictureOwning(HBITMAP bitmap) {
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

}  // namespace

common::ComPtr<IPicture> LoadBitmapPicture(const std::wstring& path, BitmapLoadPath loadPath,
                                           bool* usedDirect) {
  if (usedDirect) *usedDirect = false;
  if (loadPath == BitmapLoadPath::kAny) {
    if (HBITMAP bitmap = ReadPlain24BitFile(path)) {
      if (usedDirect) *usedDirect = true;
      return PictureOwning(bitmap);
    }
  }
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  return PictureOwning(bitmap);
}

common::ComPtr<IPicture> LoadBitmapPicture(const std::wstring& path) {
  return LoadBitmapPicture(path, BitmapLoadPath::kAny);
}
