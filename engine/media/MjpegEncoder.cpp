// JPEG compression of bottom-up DIB frames.
#include "media/MjpegEncoder.h"

#include <new>

#include "BgrSampler.h"
#include "JpegError.h"

namespace media {

MjpegEncoder::MjpegEncoder() { encoder_.SetQuality(kDefaultQuality); }

HRESULT MjpegEncoder::SetQuality(int quality) {
  if (quality < 1 || quality > 100) return E_INVALIDARG;
  encoder_.SetQuality(quality);
  return S_OK;
}

HRESULT MjpegEncoder::Encode(const Frame& frame, std::vector<std::uint8_t>& out) {
  if (frame.Empty()) return E_INVALIDARG;
  // The sampler reads top row first; a negative stride walks the
  // bottom-up rows from the top.
  const auto stride = static_cast<ptrdiff_t>(frame.Stride());
  try {
    if (!jpeg::SampleBgr(encoder_, frame.Row(0), -stride, frame.Width(), frame.Height())) {
      return E_INVALIDARG;
    }
    out = encoder_.EncodeFile();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const jpeg::JpegError&) {
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace media
