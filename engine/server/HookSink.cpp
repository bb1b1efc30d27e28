// The hook image writer.
#include "HookSink.h"

#include <cstring>

#include "EngineMessages.h"

namespace engine {

HRESULT HookSink::Start() {
  if (On()) return S_OK;
  common::UniqueKernelHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr,
                                                          PAGE_READWRITE, 0, kCapacity,
                                                          kHookImageName));
  if (!mapping) return HRESULT_FROM_WIN32(::GetLastError());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!view) return HRESULT_FROM_WIN32(::GetLastError());
  mapping_ = std::move(mapping);
  view_ = std::move(view);
  return S_OK;
}

void HookSink::Stop() noexcept {
  view_.reset();
  mapping_.reset();
}

bool HookSink::Publish(const media::Frame& frame) noexcept {
  if (!view_ || frame.Empty()) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(frame.Width()) * 3;
  const std::size_t pixels = rowBytes * frame.Height();
  if (sizeof(BITMAPINFOHEADER) + pixels > kCapacity) return false;
  BITMAPINFOHEADER header = frame.InfoHeader();
  header.biSizeImage = static_cast<DWORD>(pixels);
  auto* bytes = static_cast<std::uint8_t*>(view_.get());
  std::memcpy(bytes, &header, sizeof(header));
  // Bottom-up rows without padding: row 0 of the image is the bottom row.
  std::uint8_t* out = bytes + sizeof(header);
  for (int y = frame.Height() - 1; y >= 0; --y, out += rowBytes) {
    std::memcpy(out, frame.Row(y), rowBytes);
  }
  return true;
}

}  // namespace engine
