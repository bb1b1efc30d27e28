// cImage: creation, copies and painting. The transformations live in
// cImageTransforms.cpp.
#include "cImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Memory DC of the kind the buffer's format needs: palette formats start
// from the display, 24 bits from the screen.
HDC CreateBufferDc(LONG bitCount) {
  if (bitCount == 24) return ::CreateCompatibleDC(nullptr);
  common::UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  return display ? ::CreateCompatibleDC(display.get()) : nullptr;
}

int BitCountFromTableSize(UINT entries) {
  if (entries == 0) return 24;
  if (entries <= 2) return 1;
  if (entries <= 16) return 4;
  return 8;
}

}  // namespace

LONG cImage::BytesPerScanLine() const {
  const LONG w = Width();
  switch (BitCount()) {
    case 1: return ((w - 1) / 8 + 4) & ~3;
    case 4: return ((w - 1) / 2 + 4) & ~3;
    case 8: return (w + 3) & ~3;
    default: return (3 * w + 3) & ~3;
  }
}

void cImage::Release() {
  selection_.reset();
  dib_.reset();
  dc_.reset();
  bits_ = nullptr;
}

bool cImage::Create(LONG width, LONG height, LONG bitCount) {
  Release();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return false;
  common::UniqueMemoryDc dc(CreateBufferDc(bitCount));
  if (!dc) return false;

  info_ = BitmapInfo256{};
  info_.header.biSize = sizeof(BITMAPINFOHEADER);
  info_.header.biWidth = width;
  info_.header.biHeight = height;
  info_.header.biPlanes = 1;
  info_.header.biBitCount = static_cast<WORD>(bitCount);
  info_.header.biCompression = BI_RGB;
  info_.header.biSizeImage = static_cast<DWORD>(height * BytesPerScanLine());
  if (bitCount != 24) {  // linear grey ramp
    const int last = (1 << bitCount) - 1;
    for (int i = 0; i <= last; ++i) {
      const BYTE level = static_cast<BYTE>(std::nearbyint(i * 255.0 / last));
      info_.colors[i] = RGBQUAD{level, level, level, 0};
    }
  }
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&info_),
                                              DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return false;
  auto selection = std::make_unique<common::SelectionGuard>(dc.get(), dib.get());
  if (!selection->selected()) return false;
  dc_ = std::move(dc);
  dib_ = std::move(dib);
  selection_ = std::move(selection);
  bits_ = bits;
  return true;
}

bool cImage::CopyStdPicture(IPicture* picture, LONG bitCount) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (!picture || FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture->get_Handle(&handle))) {
    return false;
  }
  return CopyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), bitCount);
}

bool cImage::CopyBitmap(HBITMAP bitmap, LONG bitCount) {
  BITMAP description{};
  if (!::GetObjectW(bitmap, sizeof(description), &description)) return false;
  const bool automatic = bitCount == 0;
  if (automatic) bitCount = description.bmBitsPixel == 16 ? 24 : description.bmBitsPixel;
  if (!Create(description.bmWidth, description.bmHeight, bitCount)) return false;

  common::UniqueMemoryDc memoryDc;
  if (bitCount != 24) {
    common::UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    memoryDc.reset(::CreateCompatibleDC(display.get()));
  } else {
    common::WindowDc desktop(::GetDesktopWindow());
    memoryDc.reset(::CreateCompatibleDC(desktop.get()));
  }
  if (!memoryDc) return false;
  if (bitCount == 24) {
    common::SelectionGuard selection(memoryDc.get(), bitmap);
    ::BitBlt(dc_.get(), 0, 0, Width(), Height(), memoryDc.get(), 0, 0, SRCCOPY);
    return true;
  }
  if (automatic) {
    common::SelectionGuard selection(memoryDc.get(), bitmap);
    const UINT entries = ::GetDIBColorTable(memoryDc.get(), 0, 1u << bitCount, palette_);
    if (entries) ::SetDIBColorTable(dc_.get(), 0, entries, palette_);
  }
  ReadDibBits(memoryDc.get(), bitmap);  // the bitmap must not be selected here
  return true;
}

// Reads every row of the bitmap in this buffer's format. GetDIBits reports
// the colour table its indices refer to; the buffer takes that table, so
// that converting a picture of another depth keeps its colours.
void cImage::ReadDibBits(HDC memoryDc, HBITMAP bitmap) {
  BitmapInfo256 format = info_;
  if (::GetDIBits(memoryDc, bitmap, 0, static_cast<UINT>(std::labs(Height())), bits_,
                  reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS)) {
    const UINT entries = 1u << BitCount();
    ::SetDIBColorTable(dc_.get(), 0, entries, format.colors);
    std::copy(format.colors, format.colors + entries, info_.colors);
  }
}

bool cImage::CopyHDC(HDC source, LONG width, LONG height, LONG bitCount, LONG srcLeft,
                     LONG srcTop) {
  UINT entries = 0;
  if (bitCount == 0) {
    entries = ::GetDIBColorTable(source, 0, 256, palette_);
    bitCount = BitCountFromTableSize(entries);
  }
  if (!Create(width, height, bitCount)) return false;
  if (entries) ::SetDIBColorTable(dc_.get(), 0, entries, palette_);
  ::BitBlt(dc_.get(), 0, 0, width, height, source, srcLeft, srcTop, SRCCOPY);
  return true;
}

bool cImage::CopyPalletHDC(HDC source) {
  const UINT wanted = BitCount() >= 8 ? 256u : 1u << BitCount();
  const UINT entries = ::GetDIBColorTable(source, 0, wanted, palette_);
  if (entries == 0) return false;
  return ::SetDIBColorTable(dc_.get(), 0, entries, palette_) == entries;
}

void cImage::PaintHDC(HDC target, LONG left, LONG top, DWORD rasterOperation) const {
  ::BitBlt(target, left, top, Width(), Height(), dc_.get(), 0, 0, rasterOperation);
}
