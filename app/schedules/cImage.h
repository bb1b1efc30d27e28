// cImage: the application's in-memory picture. A DIB section of 1, 4, 8 or
// 24 bits per pixel stays selected into the buffer's own memory device
// context, so GDI can draw into it and read from it while callers reach the
// raw rows through DIBitsPtr. Every copy and transformation is one GDI
// block transfer; the transformations return a new buffer.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <memory>

#include <common/UniqueHandle.h>

class cImage {
 public:
  cImage() = default;
  cImage(const cImage&) = delete;
  cImage& operator=(const cImage&) = delete;
  ~cImage() { Release(); }

  LONG Width() const { return info_.header.biWidth; }
  LONG Height() const { return info_.header.biHeight; }
  SHORT BitCount() const { return static_cast<SHORT>(info_.header.biBitCount); }
  HDC hDC() const { return dc_.get(); }
  void* DIBitsPtr() const { return bits_; }
  LONG BytesPerScanLine() const;

  bool Create(LONG width, LONG height, LONG bitCount);
  // bitCount 0: the picture's own depth, 16 bits taken as 24.
  bool CopyStdPicture(IPicture* picture, LONG bitCount = 0);
  bool CopyHDC(HDC source, LONG width, LONG height, LONG bitCount = 0, LONG srcLeft = 0,
               LONG srcTop = 0);
  bool CopyPalletHDC(HDC source);
  void PaintHDC(HDC target, LONG left = 0, LONG top = 0, DWORD rasterOperation = SRCCOPY) const;

  // Each returns a new buffer, or none when it cannot be made.
  std::unique_ptr<cImage> Greyscale() const;
  std::unique_ptr<cImage> Resample(LONG width, LONG height) const;
  std::unique_ptr<cImage> Mirror(bool vertical) const;
  std::unique_ptr<cImage> Rotate(LONG degrees) const;  // 90, 180, 270 only

 private:
  struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  };

  void Release();
  bool CopyBitmap(HBITMAP bitmap, LONG bitCount);
  void ReadDibBits(HDC memoryDc, HBITMAP bitmap);
  std::unique_ptr<cImage> ParallelogramCopy(LONG width, LONG height, const POINT (&corners)[3]) const;

  BitmapInfo256 info_{};
  RGBQUAD palette_[256]{};
  // Destroyed in reverse: the selection is undone before the DIB and the DC
  // are deleted.
  common::UniqueMemoryDc dc_;
  common::UniqueBitmap dib_;
  std::unique_ptr<common::SelectionGuard> selection_;
  void* bits_ = nullptr;
};
