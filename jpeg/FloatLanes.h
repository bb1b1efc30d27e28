// Four single-precision lanes with the ordinary arithmetic operators, so a
// formula written once serves one float or four independent ones: every
// lane performs exactly the operations of the scalar expression, in the
// same order, with the same single-precision rounding.
#pragma once

#include "Simd.h"

#if JPEG_USE_SSE2

namespace jpeg {

struct Lanes4 {
  __m128 v;
  static Lanes4 Load(const float* p) { return {_mm_loadu_ps(p)}; }
  static Lanes4 Splat(float x) { return {_mm_set1_ps(x)}; }
  void Store(float* p) const { _mm_storeu_ps(p, v); }
};

inline Lanes4 operator+(Lanes4 a, Lanes4 b) { return {_mm_add_ps(a.v, b.v)}; }
inline Lanes4 operator-(Lanes4 a, Lanes4 b) { return {_mm_sub_ps(a.v, b.v)}; }
inline Lanes4 operator*(Lanes4 a, Lanes4 b) { return {_mm_mul_ps(a.v, b.v)}; }
inline Lanes4 operator*(float a, Lanes4 b) { return {_mm_mul_ps(_mm_set1_ps(a), b.v)}; }
inline Lanes4 operator*(Lanes4 a, float b) { return {_mm_mul_ps(a.v, _mm_set1_ps(b))}; }
inline Lanes4 operator-(Lanes4 a, float b) { return {_mm_sub_ps(a.v, _mm_set1_ps(b))}; }

}  // namespace jpeg

#endif
