// Colour conversion, transform and quantization of a component's blocks.
// Each conversion is evaluated left to right in single precision with
// single-precision constants, so every build yields the same coefficients.
#include "BlockSampler.h"

#include <array>

#include "Dct.h"

namespace jpeg {

namespace {

template <Channel kChannel>
inline float ColourValue(const uint8_t* bgr) {
  const float b = bgr[0], g = bgr[1], r = bgr[2];
  if constexpr (kChannel == Channel::kY) {
    return 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
  } else if constexpr (kChannel == Channel::kCb) {
    // No +128: the level shift of 128 cancels it.
    return -0.16874f * r - 0.33126f * g + 0.5f * b;
  } else {
    return 0.5f * r - 0.41869f * g - 0.08131f * b;
  }
}

template <Channel kChannel>
void ConvertBlockOf(const PixelView& pixels, int x0, int y0, float* block) {
  for (int y = 0; y < 8; ++y) {
    const uint8_t* p = pixels.Row(y0 + y) + 3 * x0;
    for (int x = 0; x < 8; ++x) block[x + 8 * y] = ColourValue<kChannel>(p + 3 * x);
  }
}

// Quantization folded with the natural-to-zig-zag reordering: the divisors
// are laid out in natural order once per component.
void QuantizeBlock(const float* block, const float* naturalDivisors,
                   const ZigZagIndex& zigzag, int16_t* out) {
  for (int k = 0; k < 64; ++k) out[zigzag[k]] = QuantizeValue(block[k], naturalDivisors[k]);
}

template <Channel kChannel>
void SampleBlocksOf(Component& component, const PixelView& pixels,
                    const QuantTable& table, const ZigZagIndex& zigzag) {
  std::array<float, 64> divisors;
  for (int k = 0; k < 64; ++k) divisors[k] = table.divisors[zigzag[k]];
  component.coefficients.assign(static_cast<size_t>(component.cw8) * component.ch8, 0);
  int16_t* out = component.coefficients.data();
  alignas(32) float block[64];
  for (int by = 0; by < component.BlockRows(); ++by) {
    for (int bx = 0; bx < component.BlocksPerRow(); ++bx) {
      ConvertBlockOf<kChannel>(pixels, bx * 8, by * 8, block);
      ForwardDct(block);
      QuantizeBlock(block, divisors.data(), zigzag, out);
      out += 64;
    }
  }
}

}  // namespace

void ConvertBlock(Channel channel, const PixelView& pixels, int x0, int y0,
                  float* block) {
  switch (channel) {
    case Channel::kY: ConvertBlockOf<Channel::kY>(pixels, x0, y0, block); break;
    case Channel::kCb: ConvertBlockOf<Channel::kCb>(pixels, x0, y0, block); break;
    case Channel::kCr: ConvertBlockOf<Channel::kCr>(pixels, x0, y0, block); break;
  }
}

void SampleBlocks(Component& component, Channel channel, const PixelView& pixels,
                  const QuantTable& table, const ZigZagIndex& zigzag) {
  switch (channel) {
    case Channel::kY: SampleBlocksOf<Channel::kY>(component, pixels, table, zigzag); break;
    case Channel::kCb: SampleBlocksOf<Channel::kCb>(component, pixels, table, zigzag); break;
    case Channel::kCr: SampleBlocksOf<Channel::kCr>(component, pixels, table, zigzag); break;
  }
}

}  // namespace jpeg
