// Compile-time presence of the x86 vector paths. SSE2 is part of every
// x86-64 target and of 32-bit x86 builds with -msse2; the AVX2 kernels are
// built for x86 in a file of their own and chosen at run time. Elsewhere
// only the scalar kernels exist.
#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define JPEG_USE_SSE2 1
#include <emmintrin.h>
#else
#define JPEG_USE_SSE2 0
#endif

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define JPEG_BUILD_AVX2 1
#else
#define JPEG_BUILD_AVX2 0
#endif
