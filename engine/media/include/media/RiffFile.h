// The output file of a RIFF writer: appends at the end, patches earlier
// bytes in place, and can cut the file back to a known good length when an
// append fails half-way (a full disk), so the file never ends in a torn
// chunk.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/UniqueHandle.h"

namespace media {

class RiffFile {
 public:
  // Creates or truncates path for writing. The Win32 failure (path not
  // found, access denied...) comes back as an HRESULT.
  HRESULT Create(const std::wstring& path);
  bool IsOpen() const noexcept { return file_.valid(); }
  // True when Create made a new file rather than truncating an existing
  // one (or opening a device): only then may a failed writer remove it.
  bool CreatedNew() const noexcept { return createdNew_; }
  void Close() noexcept { file_.reset(); }

  // Bytes written so far (the end the next Append writes at).
  std::uint64_t Size() const noexcept { return size_; }

  // Appends; on failure cuts the file back to its size before the call.
  HRESULT Append(const void* data, std::size_t bytes);
  // Appends a chunk: id, 32-bit size, data, and a pad byte for odd sizes.
  HRESULT AppendChunk(std::uint32_t id, const void* data, std::size_t bytes);
  // Overwrites bytes at offset (below Size()), then returns to the end.
  HRESULT WriteAt(std::uint64_t offset, const void* data, std::size_t bytes);
  // Cuts the file to size bytes (no more than Size()).
  HRESULT Truncate(std::uint64_t size);

 private:
  HRESULT Seek(std::uint64_t offset);
  HRESULT WriteRaw(const void* data, std::size_t bytes);

  common::UniqueFile file_;
  std::uint64_t size_ = 0;
  bool createdNew_ = false;
};

constexpr std::uint32_t FourCc(char a, char b, char c, char d) noexcept {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24;
}

}  // namespace media
