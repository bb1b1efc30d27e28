// Quantization of one transformed block straight from the transposed
// layout the DCT leaves, into the 64 zig-zag coefficients of the block.
#pragma once

#include <cstdint>

#include "Quantization.h"

namespace jpeg {

class BlockQuantizer {
 public:
  explicit BlockQuantizer(const QuantTable& table);

  // transposed: coefficient of row r, column c at r + 8c (ForwardDctTransposed).
  // out[z] = the product with divisor z, rounded to nearest, halves to even.
  void Quantize(const float* transposed, int16_t* out) const;

 private:
  alignas(16) float divisors_[64];  // in the transposed layout
};

}  // namespace jpeg
