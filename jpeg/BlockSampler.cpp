// The pipeline, one block row at a time: room in each component's symbol
// store, then the kernels convert, transform, quantize and append the
// blocks' symbols.
#include "BlockSampler.h"

#include "Tables.h"

namespace jpeg {

namespace {

constexpr ZigZagIndex kTransposedZigZag = BuildTransposedZigZagIndex();

constexpr int kMaxTargets = 3;

}  // namespace

void SampleBlocks(const BlockTarget* targets, int count, Channel first, const PixelView& pixels,
                  const SampleKernels& kernels) {
  alignas(32) float divisors[kMaxTargets][64];
  SymbolSink sinks[kMaxTargets];
  BlockSpan span;
  span.pixels = pixels;
  span.first = first;
  span.count = count;
  for (int i = 0; i < count; ++i) {
    const QuantTable& table = *targets[i].table;
    for (int t = 0; t < 64; ++t) divisors[i][t] = table.divisors[kTransposedZigZag[t]];
    span.divisors[i] = divisors[i];
    span.sinks[i] = &sinks[i];
    const Component& c = *targets[i].component;
    targets[i].component->blocks.Reset(static_cast<size_t>(c.BlocksPerRow()) * c.BlockRows());
  }
  const Component& geometry = *targets[0].component;
  for (int by = 0; by < geometry.BlockRows(); ++by) {
    span.y0 = by * 8;
    span.blocks = geometry.BlocksPerRow();
    for (int i = 0; i < count; ++i) sinks[i] = targets[i].component->blocks.Sink(span.blocks);
    kernels.sampleSpan(span);
    for (int i = 0; i < count; ++i) targets[i].component->blocks.Commit(sinks[i]);
  }
}

}  // namespace jpeg
