// The video hook image.
#include "core/messages/HookImage.h"

#include <cstring>

#include "engine/interface/EngineMessages.h"

namespace portal {
namespace {

void Sample(const BYTE* source, LONG sourceStride, LONG stepX, LONG stepY, BYTE* buffer, LONG width,
            LONG height) {
  for (LONG y = 0; y < height; ++y) {
    const BYTE* row = source + static_cast<size_t>(y) * stepY * sourceStride;
    BYTE* out = buffer + static_cast<size_t>(y) * width * 3;
    for (LONG x = 0; x < width; ++x) std::memcpy(out + x * 3, row + static_cast<size_t>(x) * stepX * 3, 3);
  }
}

void Repeat(const BYTE* source, LONG sourceWidth, LONG sourceHeight, LONG sourceStride, LONG factor,
            BYTE* buffer, LONG width) {
  for (LONG y = 0; y < sourceHeight; ++y) {
    const BYTE* row = source + static_cast<size_t>(y) * sourceStride;
    BYTE* first = buffer + static_cast<size_t>(y) * factor * width * 3;
    for (LONG x = 0; x < sourceWidth; ++x) {
      for (LONG r = 0; r < factor; ++r) std::memcpy(first + (x * factor + r) * 3, row + x * 3, 3);
    }
    for (LONG r = 1; r < factor; ++r) std::memcpy(first + static_cast<size_t>(r) * width * 3, first, width * 3);
  }
}

}  // namespace

bool ConvertHookFrame(const BYTE* source, LONG sourceWidth, LONG sourceHeight, LONG sourceStride, BYTE* buffer,
                      LONG width, LONG height) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return false;
  if (width < sourceWidth) {
    const LONG stepX = sourceWidth / width;
    const LONG stepY = sourceHeight / height;
    if (stepY == 0) return false;
    Sample(source, sourceStride, stepX, stepY, buffer, width, height);
    return true;
  }
  for (LONG factor : {2, 4}) {
    if (width == sourceWidth * factor && height == sourceHeight * factor) {
      Repeat(source, sourceWidth, sourceHeight, sourceStride, factor, buffer, width);
      return true;
    }
  }
  return false;
}

bool HookImage::Open(LONG width, LONG height) {
  Close();
  mapping_.reset(::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, engine::kHookImageName));
  if (!mapping_) return false;
  view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  MEMORY_BASIC_INFORMATION info = {};
  viewSize_ = view_ && ::VirtualQuery(view_.get(), &info, sizeof(info)) ? info.RegionSize : 0;
  if (!view_ || viewSize_ < sizeof(BITMAPINFOHEADER)) {
    Close();
    return false;
  }
  Resize(width, height);
  return true;
}

void HookImage::Close() {
  view_.reset();
  mapping_.reset();
  viewSize_ = 0;
}

void HookImage::Resize(LONG width, LONG height) {
  if (width <= 0 || height <= 0) return;
  const size_t pixels = static_cast<size_t>(width) * height * 3;
  buffer_.assign(sizeof(BITMAPINFOHEADER) + pixels, 0);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(pixels);
  std::memcpy(buffer_.data(), &header, sizeof(header));
}

bool HookImage::Prepare(const BITMAPINFOHEADER** header, const BYTE** pixels) {
  if (!view_ || buffer_.empty()) return false;
  BITMAPINFOHEADER mapped;
  std::memcpy(&mapped, view_.get(), sizeof(mapped));
  const LONG height = mapped.biHeight < 0 ? -mapped.biHeight : mapped.biHeight;
  const LONG stride = ((mapped.biWidth * 3) + 3) & ~3;
  if (mapped.biWidth <= 0 || height <= 0 || mapped.biBitCount != 24 ||
      sizeof(mapped) + static_cast<SIZE_T>(stride) * height > viewSize_) {
    return false;  // never read past what the engine mapped
  }
  const BYTE* source = static_cast<const BYTE*>(view_.get()) + sizeof(mapped);
  auto* own = reinterpret_cast<BITMAPINFOHEADER*>(buffer_.data());
  if (mapped.biWidth == own->biWidth && height == own->biHeight) {
    *header = static_cast<const BITMAPINFOHEADER*>(view_.get());
    *pixels = source;
    return true;
  }
  ConvertHookFrame(source, mapped.biWidth, height, stride, buffer_.data() + sizeof(BITMAPINFOHEADER),
                   own->biWidth, own->biHeight);
  *header = own;
  *pixels = buffer_.data() + sizeof(BITMAPINFOHEADER);
  return true;
}

}  // namespace portal
