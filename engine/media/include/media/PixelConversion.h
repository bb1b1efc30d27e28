// Conversion of the pixel formats capture devices deliver into a frame's
// 24-bit bottom-up layout. Every converter takes the device's buffer as
// delivered (its own row order and padding) and fills a frame already
// allocated at the picture's size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "media/Frame.h"

namespace media {

enum class PixelFormat {
  kRgb24,  // B, G, R rows padded to 4 bytes; bottom-up unless topDown
  kRgb32,  // B, G, R, X; bottom-up unless topDown
  kYuy2,   // Y0 U Y1 V, top-down, BT.601 studio range
  kNv12,   // Y plane, then interleaved U V plane at half size, top-down
};

// Bytes a buffer of the format holds for width x height.
std::size_t BufferBytes(PixelFormat format, int width, int height) noexcept;

// Converts `bytes` of source into out (which must have the picture's size);
// E_INVALIDARG when the buffer is too short for it.
HRESULT ConvertToFrame(PixelFormat format, bool topDown, const std::uint8_t* source, std::size_t bytes,
                       Frame& out) noexcept;

}  // namespace media
