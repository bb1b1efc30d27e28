// The complete bitmap file image of a frame: a 14-byte file header and a
// 40-byte BITMAPINFOHEADER in front of the bottom-up rows, so its size is
// ((24 * width + 31) & ~31) / 8 * height + 54 bytes. The same image goes to
// a file or into a caller's buffer (a shared mapping).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/Frame.h"

namespace media {

constexpr std::size_t kBitmapHeadersSize = 14 + 40;

// Size of the file image of a width x height 24-bit picture; 0 for a size
// a frame cannot have.
std::size_t BitmapFileSize(int width, int height) noexcept;

// Writes the file image into buffer. HRESULT_FROM_WIN32(
// ERROR_INSUFFICIENT_BUFFER) when bufferSize is too small (nothing is
// written then), E_INVALIDARG for an empty frame or a null buffer.
HRESULT CopyBitmapFile(const Frame& frame, void* buffer, std::size_t bufferSize);

// The file image as bytes.
std::vector<std::uint8_t> BitmapFileBytes(const Frame& frame);

// Writes the image to path. The bytes go to a temporary file in the same
// folder first and replace the target only when complete, so a full disk
// or a read-only target leaves any earlier file intact; the failure is
// returned as an HRESULT.
HRESULT WriteBitmapFile(const Frame& frame, const std::wstring& path);

}  // namespace media
