// Compile-time choice of the vector path. SSE2 is part of every x86-64
// target and of 32-bit x86 builds with -msse2; elsewhere the scalar code
// runs. Both paths perform the same float operations in the same order on
// every element, so they produce identical bytes.
#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define JPEG_USE_SSE2 1
#include <emmintrin.h>
#else
#define JPEG_USE_SSE2 0
#endif
