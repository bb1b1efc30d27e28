// One picture in device-independent bitmap layout: 24 bits per pixel
// (bytes B, G, R), rows stored bottom-up and padded to a multiple of 4
// bytes. Every media part (scene, stamp, bitmap files, motion, movies)
// works on this one layout, so a frame can go to GDI, a bitmap file or an
// AVI chunk without conversion.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

class Frame {
 public:
  static constexpr int kMaxDimension = 8192;

  Frame() = default;

  // Sizes the frame (1..kMaxDimension each way) and clears it to black.
  // E_INVALIDARG for a size out of range, E_OUTOFMEMORY when it cannot be
  // allocated; the frame is unchanged on failure.
  HRESULT Allocate(int width, int height);

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return width_ == 0; }
  std::size_t Stride() const noexcept { return StrideFor(width_); }
  std::size_t ImageBytes() const noexcept { return bits_.size(); }

  // Whole pixel block, bottom row first.
  std::uint8_t* Bits() noexcept { return bits_.data(); }
  const std::uint8_t* Bits() const noexcept { return bits_.data(); }

  // Row y counted from the top of the picture.
  std::uint8_t* Row(int y) noexcept { return bits_.data() + RowOffset(y); }
  const std::uint8_t* Row(int y) const noexcept { return bits_.data() + RowOffset(y); }

  // Header describing this frame as an uncompressed bottom-up DIB.
  BITMAPINFOHEADER InfoHeader() const noexcept;

  bool SameSize(const Frame& other) const noexcept {
    return width_ == other.width_ && height_ == other.height_;
  }
  bool operator==(const Frame& other) const noexcept {
    return SameSize(other) && bits_ == other.bits_;
  }
  bool operator!=(const Frame& other) const noexcept { return !(*this == other); }

  // Bytes per row of a 24-bit DIB of this width.
  static std::size_t StrideFor(int width) noexcept {
    return ((static_cast<std::size_t>(width) * 24 + 31) & ~static_cast<std::size_t>(31)) / 8;
  }

 private:
  std::size_t RowOffset(int y) const noexcept {
    return static_cast<std::size_t>(height_ - 1 - y) * Stride();
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bits_;
};

}  // namespace media
