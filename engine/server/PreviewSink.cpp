// The preview mapping writer.
#include "PreviewSink.h"

#include <cstdio>
#include <cstring>

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

void PreviewSink::Publish(const media::Frame& frame) noexcept {
  if (!view_ || frame.Empty()) return;
  auto* header = static_cast<PreviewFrameHeader*>(view_.get());
  if (frame.ImageBytes() > header->capacity) return;
  // Odd sequence while writing, so a reader can tell a torn frame.
  header->sequence = header->sequence | 1u;
  std::memcpy(static_cast<std::uint8_t*>(view_.get()) + header->pixelOffset, frame.Bits(),
              frame.ImageBytes());
  header->width = frame.Width();
  header->height = frame.Height();
  header->stride = static_cast<std::uint32_t>(frame.Stride());
  header->frameNumber = ++frames_;
  header->magic = kPreviewMagic;
  ::MemoryBarrier();
  header->sequence = header->sequence + 1;
  ::InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace engine
