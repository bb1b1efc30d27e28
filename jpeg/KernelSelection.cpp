// Which kernel sets exist on this processor, and the widest of them.
#include "CpuFeatures.h"
#include "SampleKernels.h"
#include "Simd.h"

namespace jpeg {

#if JPEG_BUILD_AVX2
// Avx2Kernels.cpp; only reached once the processor is known to run it.
const SampleKernels& Avx2KernelTable();
#endif

const SampleKernels* Avx2Kernels() {
#if JPEG_BUILD_AVX2
  if (CpuHasAvx2()) return &Avx2KernelTable();
#endif
  return nullptr;
}

const SampleKernels& BestKernels() {
  static const SampleKernels& best = [] () -> const SampleKernels& {
    if (const SampleKernels* avx2 = Avx2Kernels()) return *avx2;
    if (const SampleKernels* sse2 = Sse2Kernels()) return *sse2;
    return ScalarKernels();
  }();
  return best;
}

std::vector<const SampleKernels*> AvailableKernels() {
  std::vector<const SampleKernels*> sets{&ScalarKernels()};
  for (const SampleKernels* set : {Sse2Kernels(), Avx2Kernels()}) {
    if (set) sets.push_back(set);
  }
  return sets;
}

}  // namespace jpeg
