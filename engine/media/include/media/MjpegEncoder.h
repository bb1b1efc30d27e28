// Compresses frames to baseline JPEG images for MJPEG movie chunks, through
// the project's JPEG encoding core (4:2:0 colour, optimal Huffman tables).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "JpegEncoder.h"
#include "media/Frame.h"

namespace media {

class MjpegEncoder {
 public:
  static constexpr int kDefaultQuality = 75;

  MjpegEncoder();

  // 1..100; E_INVALIDARG otherwise.
  HRESULT SetQuality(int quality);

  // Replaces out with the JPEG image of frame. E_INVALIDARG for an empty
  // frame, E_OUTOFMEMORY or E_FAIL when the encoder gives up.
  HRESULT Encode(const Frame& frame, std::vector<std::uint8_t>& out);

 private:
  jpeg::JpegEncoder encoder_;
};

}  // namespace media
