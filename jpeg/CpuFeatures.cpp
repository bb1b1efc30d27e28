// Processor feature query through CPUID and XGETBV.
#include "CpuFeatures.h"

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <immintrin.h>
#include <intrin.h>
#define JPEG_X86 1
#elif defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <cpuid.h>
#define JPEG_X86 1
#else
#define JPEG_X86 0
#endif

namespace jpeg {

namespace {

#if JPEG_X86
struct CpuidResult {
  unsigned eax, ebx, ecx, edx;
};

CpuidResult Cpuid(unsigned leaf, unsigned subleaf) {
  CpuidResult r{};
#if defined(_MSC_VER)
  int regs[4];
  __cpuidex(regs, static_cast<int>(leaf), static_cast<int>(subleaf));
  r = {static_cast<unsigned>(regs[0]), static_cast<unsigned>(regs[1]),
       static_cast<unsigned>(regs[2]), static_cast<unsigned>(regs[3])};
#else
  __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
#endif
  return r;
}

// The state components the operating system saves on a context switch.
unsigned long long EnabledStates() {
#if defined(_MSC_VER)
  return _xgetbv(0);
#else
  unsigned low, high;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (static_cast<unsigned long long>(high) << 32) | low;
#endif
}

bool DetectAvx2() {
  if (Cpuid(0, 0).eax < 7) return false;
  const CpuidResult basic = Cpuid(1, 0);
  const bool osSavesState = (basic.ecx >> 27) & 1;  // OSXSAVE
  const bool avx = (basic.ecx >> 28) & 1;
  if (!osSavesState || !avx) return false;
  if ((EnabledStates() & 0x6) != 0x6) return false;  // XMM and YMM state
  const unsigned extended = Cpuid(7, 0).ebx;
  const bool avx2 = (extended >> 5) & 1, bmi1 = (extended >> 3) & 1, bmi2 = (extended >> 8) & 1;
  if (Cpuid(0x80000000u, 0).eax < 0x80000001u) return false;
  const bool lzcnt = (Cpuid(0x80000001u, 0).ecx >> 5) & 1;
  return avx2 && bmi1 && bmi2 && lzcnt;
}
#endif

}  // namespace

bool CpuHasAvx2() {
#if JPEG_X86
  static const bool has = DetectAvx2();
  return has;
#else
  return false;
#endif
}

}  // namespace jpeg
