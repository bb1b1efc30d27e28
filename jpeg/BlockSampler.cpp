// The per-block pipeline: convert, transform, quantize. The transform
// leaves its result transposed and the quantizer reads it that way, which
// saves transposing back.
#include "BlockSampler.h"

#include <vector>

#include "BlockQuantizer.h"
#include "Dct.h"

namespace jpeg {

void SampleBlocks(const BlockTarget* targets, int count, Channel first, const PixelView& pixels) {
  constexpr int kMaxTargets = 3;
  std::vector<BlockQuantizer> quantizers;
  int16_t* out[kMaxTargets];
  for (int i = 0; i < count; ++i) {
    Component& c = *targets[i].component;
    quantizers.emplace_back(*targets[i].table);
    c.coefficients.clear();
    c.coefficients.resize(static_cast<size_t>(c.cw8) * c.ch8);
    out[i] = c.coefficients.data();
  }
  alignas(16) float blocks[kMaxTargets][64];
  float* const work[kMaxTargets] = {blocks[0], blocks[1], blocks[2]};
  const Component& geometry = *targets[0].component;
  for (int by = 0; by < geometry.BlockRows(); ++by) {
    for (int bx = 0; bx < geometry.BlocksPerRow(); ++bx) {
      ConvertBlocks(pixels, bx * 8, by * 8, first, count, work);
      for (int i = 0; i < count; ++i) {
        ForwardDctTransposed(blocks[i]);
        quantizers[i].Quantize(blocks[i], out[i]);
        out[i] += 64;
      }
    }
  }
}

}  // namespace jpeg
