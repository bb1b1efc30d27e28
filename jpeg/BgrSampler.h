// Sampling from a plain 24-bit pixel buffer, for hosts without GDI (tests,
// fuzzing, benchmarks). Subsampled components are reduced by averaging the
// source pixels each target pixel covers; padding replicates the last
// column and row, as the GDI path does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "JpegEncoder.h"

namespace jpeg {

// bgr: top row first, 3 bytes per pixel (B, G, R), rows `stride` bytes
// apart. False when the size cannot be encoded.
bool SampleBgr(JpegEncoder& encoder, const uint8_t* bgr, ptrdiff_t stride, int width,
               int height);

}  // namespace jpeg
