// The preview transport between the camera engine and the control's
// window. GDI drawing into another process's child window does not reach
// the screen everywhere, so the engine writes each preview frame into a
// named mapping tied to the preview window and invalidates that window; the
// window paints the newest frame itself.
//
// Mapping name: kPreviewMappingPrefix + the window handle's 32-bit value as
// eight upper-case hexadecimal digits (for example
// "CameraEnginePreview_0001002A", printf format "%s%08X"). The engine creates it when
// the preview is switched on for a window and closes it when it is
// switched off; the control opens it read-only while painting.
#pragma once

#include <cstdint>

namespace engine {

inline constexpr char kPreviewMappingPrefix[] = "CameraEnginePreview_";
inline constexpr std::uint32_t kPreviewMagic = 0x50565243;  // "CRVP"

// Header at offset 0 of the mapping, followed at pixelOffset by 24-bit
// bottom-up rows, each padded to a multiple of 4 bytes (DIB layout).
struct PreviewFrameHeader {
  std::uint32_t magic;        // kPreviewMagic once a frame has been written
  std::uint32_t headerSize;   // sizeof(PreviewFrameHeader)
  std::uint32_t capacity;     // bytes available for pixels
  volatile std::uint32_t sequence;  // odd while the engine writes, even when a frame is complete
  std::int32_t width;
  std::int32_t height;
  std::uint32_t stride;       // bytes per row
  std::uint32_t pixelOffset;  // from the start of the mapping
  std::uint32_t frameNumber;  // frames since the preview started
  std::uint32_t reserved[7];
};
static_assert(sizeof(PreviewFrameHeader) == 64, "preview header layout is shared across processes");

// Room for frames up to 1600 x 1200 at 24 bits.
inline constexpr std::uint32_t kPreviewMappingSize = 64 + 1600 * 1200 * 3;

}  // namespace engine
