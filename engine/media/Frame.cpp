// Allocation and DIB description of a frame.
#include "media/Frame.h"

#include <new>

namespace media {

HRESULT Frame::Allocate(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) {
    return E_INVALIDARG;
  }
  try {
    std::vector<std::uint8_t> bits(StrideFor(width) * static_cast<std::size_t>(height), 0);
    bits_.swap(bits);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  width_ = width;
  height_ = height;
  return S_OK;
}

BITMAPINFOHEADER Frame::InfoHeader() const noexcept {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width_;
  header.biHeight = height_;  // positive: bottom-up rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(ImageBytes());
  return header;
}

}  // namespace media
