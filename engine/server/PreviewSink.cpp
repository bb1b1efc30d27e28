// The preview mapping writer.
#include "PreviewSink.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "EngineRecords.h"
#include "PreviewFrame.h"

namespace engine {

HRESULT PreviewSink::Start(HWND window, int width, int height) {
  if (!window || !::IsWindow(window)) return E_INVALIDARG;
  Stop();
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix,
                static_cast<unsigned>(WindowToRecord(window)));
  common::UniqueKernelHandle mapping(::CreateFileMappingA(
      INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kPreviewMappingSize, name));
  if (!mapping) return HRESULT_FROM_WIN32(::GetLastError());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!view) return HRESULT_FROM_WIN32(::GetLastError());
  auto* header = static_cast<PreviewFrameHeader*>(view.get());
  header->magic = 0;  // no frame yet
  header->headerSize = sizeof(PreviewFrameHeader);
  header->capacity = kPreviewMappingSize - sizeof(PreviewFrameHeader);
  header->pixelOffset = sizeof(PreviewFrameHeader);
  mapping_ = std::move(mapping);
  view_ = std::move(view);
  window_ = window;
  width_ = width;
  height_ = height;
  frames_ = 0;
  return S_OK;
}

void PreviewSink::Stop() noexcept {
  view_.reset();
  mapping_.reset();
  window_ = nullptr;
}

bool PreviewSink::Reduces(const media::Frame& frame) const noexcept {
  return width_ > 0 && height_ > 0 && width_ < frame.Width() && height_ < frame.Height();
}

void PreviewSink::WriteReduced(const media::Frame& frame, std::uint8_t* pixels) {
  if (sourceWidth_ != frame.Width() || columns_.size() != static_cast<std::size_t>(width_)) {
    columns_.resize(static_cast<std::size_t>(width_));
    for (int x = 0; x < width_; ++x) {
      columns_[static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(3 * (x * frame.Width() / width_));
    }
    sourceWidth_ = frame.Width();
  }
  // Rows stay bottom-up: preview row y (from the bottom) shows frame row
  // y * frame height / preview height.
  const std::size_t stride = media::Frame::StrideFor(width_);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* source = frame.Bits() + frame.Stride() * static_cast<std::size_t>(y * frame.Height() / height_);
    std::uint8_t* target = pixels + stride * static_cast<std::size_t>(y);
    for (const std::uint32_t column : columns_) {
      const std::uint8_t* p = source + column;
      target[0] = p[0];
      target[1] = p[1];
      target[2] = p[2];
      target += 3;
    }
  }
}

void PreviewSink::Publish(const media::Frame& frame) noexcept {
  if (!view_ || frame.Empty()) return;
  auto* header = static_cast<PreviewFrameHeader*>(view_.get());
  const bool reduce = Reduces(frame);
  const int width = reduce ? width_ : frame.Width(), height = reduce ? height_ : frame.Height();
  const std::size_t stride = media::Frame::StrideFor(width);
  if (stride * static_cast<std::size_t>(height) > header->capacity) return;
  std::uint8_t* pixels = static_cast<std::uint8_t*>(view_.get()) + header->pixelOffset;
  // Odd sequence while writing, so a reader can tell a torn frame.
  header->sequence = header->sequence | 1u;
  try {
    if (reduce) {
      WriteReduced(frame, pixels);
    } else {
      std::memcpy(pixels, frame.Bits(), frame.ImageBytes());
    }
  } catch (const std::bad_alloc&) {  // the column table: this frame is skipped
    header->sequence = header->sequence + 1;
    return;
  }
  header->width = width;
  header->height = height;
  header->stride = static_cast<std::uint32_t>(stride);
  header->frameNumber = ++frames_;
  header->magic = kPreviewMagic;
  ::MemoryBarrier();
  header->sequence = header->sequence + 1;
  ::InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace engine
