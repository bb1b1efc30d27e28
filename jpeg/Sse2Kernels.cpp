// The SSE2 kernels, four lanes at a time: colour conversion splits eight
// pixels into B, G and R lanes once; the DCT runs the column pass on the
// rows of the block as lanes (eight columns in two vectors), transposes in
// registers and runs the row pass the same way, which leaves the result
// transposed; quantization rounds with the processor's round-to-nearest.
#include "SampleKernels.h"
#include "Simd.h"

#if JPEG_USE_SSE2

#include "KernelFormulas.h"
#include "SpanLoop.h"

namespace jpeg {

namespace {

struct Lanes4 {
  __m128 v;
  static Lanes4 Load(const float* p) { return {_mm_load_ps(p)}; }
  void Store(float* p) const { _mm_store_ps(p, v); }
};

inline Lanes4 operator+(Lanes4 a, Lanes4 b) { return {_mm_add_ps(a.v, b.v)}; }
inline Lanes4 operator-(Lanes4 a, Lanes4 b) { return {_mm_sub_ps(a.v, b.v)}; }
inline Lanes4 operator*(Lanes4 a, Lanes4 b) { return {_mm_mul_ps(a.v, b.v)}; }
inline Lanes4 operator*(float a, Lanes4 b) { return {_mm_mul_ps(_mm_set1_ps(a), b.v)}; }
inline Lanes4 operator*(Lanes4 a, float b) { return {_mm_mul_ps(a.v, _mm_set1_ps(b))}; }
inline Lanes4 operator-(Lanes4 a, float b) { return {_mm_sub_ps(a.v, _mm_set1_ps(b))}; }

struct Bgr4 {
  Lanes4 b, g, r;
};

// Splits twelve interleaved values (B G R B | G R B G | R B G R) of four
// pixels into one vector per colour.
inline Bgr4 Deinterleave(__m128 p, __m128 q, __m128 s) {
  const __m128 blueTail = _mm_shuffle_ps(q, s, _MM_SHUFFLE(1, 1, 2, 2));   // q2 q2 s1 s1
  const __m128 blue = _mm_shuffle_ps(p, blueTail, _MM_SHUFFLE(2, 0, 3, 0));  // p0 p3 q2 s1
  const __m128 greenHead = _mm_shuffle_ps(p, q, _MM_SHUFFLE(0, 0, 1, 1));  // p1 p1 q0 q0
  const __m128 greenTail = _mm_shuffle_ps(q, s, _MM_SHUFFLE(2, 2, 3, 3));  // q3 q3 s2 s2
  const __m128 green = _mm_shuffle_ps(greenHead, greenTail, _MM_SHUFFLE(2, 0, 2, 0));
  const __m128 redHead = _mm_shuffle_ps(p, q, _MM_SHUFFLE(1, 1, 2, 2));    // p2 p2 q1 q1
  const __m128 redTail = _mm_shuffle_ps(s, s, _MM_SHUFFLE(3, 3, 0, 0));    // s0 s0 s3 s3
  const __m128 red = _mm_shuffle_ps(redHead, redTail, _MM_SHUFFLE(2, 0, 2, 0));
  return {{blue}, {green}, {red}};
}

inline __m128 Widen(__m128i words, bool high) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_cvtepi32_ps(high ? _mm_unpackhi_epi16(words, zero) : _mm_unpacklo_epi16(words, zero));
}

// Reads the 24 bytes of eight pixels (no byte beyond them) as floats.
inline void LoadRow(const uint8_t* p, Bgr4& left, Bgr4& right) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i last = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i bytes0to7 = _mm_unpacklo_epi8(first, zero);
  const __m128i bytes8to15 = _mm_unpackhi_epi8(first, zero);
  const __m128i bytes16to23 = _mm_unpacklo_epi8(last, zero);
  left = Deinterleave(Widen(bytes0to7, false), Widen(bytes0to7, true), Widen(bytes8to15, false));
  right = Deinterleave(Widen(bytes8to15, true), Widen(bytes16to23, false),
                       Widen(bytes16to23, true));
}

template <int kFirst, int... kIndex>
struct ChannelRows {
  static void Convert(const PixelView& pixels, int x0, int y0, float* const* blocks) {
    for (int y = 0; y < 8; ++y) {
      Bgr4 left, right;
      LoadRow(pixels.top + pixels.stride * (y0 + y) + 3 * x0, left, right);
      ((ChannelValue<kFirst + kIndex>(left.b, left.g, left.r).Store(blocks[kIndex] + 8 * y),
        ChannelValue<kFirst + kIndex>(right.b, right.g, right.r).Store(blocks[kIndex] + 8 * y + 4)),
       ...);
    }
  }
};

void Convert(const PixelView& pixels, int x0, int y0, Channel first, int count, float* const* blocks) {
  ConvertChannels<ChannelRows>(pixels, x0, y0, first, count, blocks);
}

// The block as two halves of eight row vectors: left[i] holds columns 0..3
// of row i, right[i] columns 4..7.
struct Rows {
  Lanes4 left[8], right[8];
};

// Transposes the 4x4 quadrants in place and swaps the off-diagonal ones.
inline void Transpose(Rows& r) {
  _MM_TRANSPOSE4_PS(r.left[0].v, r.left[1].v, r.left[2].v, r.left[3].v);
  _MM_TRANSPOSE4_PS(r.right[4].v, r.right[5].v, r.right[6].v, r.right[7].v);
  _MM_TRANSPOSE4_PS(r.right[0].v, r.right[1].v, r.right[2].v, r.right[3].v);
  _MM_TRANSPOSE4_PS(r.left[4].v, r.left[5].v, r.left[6].v, r.left[7].v);
  for (int i = 0; i < 4; ++i) {
    const Lanes4 upperRight = r.right[i];
    r.right[i] = r.left[4 + i];
    r.left[4 + i] = upperRight;
  }
}

void Transform(float* block) {
  Rows r;
  for (int i = 0; i < 8; ++i) {
    r.left[i] = Lanes4::Load(block + 8 * i);
    r.right[i] = Lanes4::Load(block + 8 * i + 4);
  }
  FlowGraph(r.left);  // columns 0..3, sample i in row i
  FlowGraph(r.right);
  Transpose(r);
  FlowGraph(r.left);  // rows 0..3, now laid out as columns
  FlowGraph(r.right);
  for (int i = 0; i < 8; ++i) {
    r.left[i].Store(block + 8 * i);
    r.right[i].Store(block + 8 * i + 4);
  }
}

uint64_t Quantize(const float* block, const float* divisors, int16_t* out) {
  const __m128i zero = _mm_setzero_si128();
  uint64_t zeros = 0;
  for (int t = 0; t < 64; t += 16) {
    __m128i words[2];
    for (int w = 0; w < 2; ++w) {
      const float* b = block + t + 8 * w;
      const float* d = divisors + t + 8 * w;
      const __m128i low = _mm_cvtps_epi32(_mm_mul_ps(_mm_load_ps(b), _mm_load_ps(d)));
      const __m128i high = _mm_cvtps_epi32(_mm_mul_ps(_mm_load_ps(b + 4), _mm_load_ps(d + 4)));
      words[w] = _mm_packs_epi32(low, high);
      _mm_store_si128(reinterpret_cast<__m128i*>(out + t + 8 * w), words[w]);
    }
    const __m128i flags = _mm_packs_epi16(_mm_cmpeq_epi16(words[0], zero), _mm_cmpeq_epi16(words[1], zero));
    zeros |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(flags))) << t;
  }
  return ~zeros;
}

void SampleSpan(const BlockSpan& span) { SampleSpanWith(span, Convert, TransformThenQuantize<Transform, Quantize>); }

constexpr SampleKernels kSse2{"SSE2", Convert, Transform, Quantize, SampleSpan};

}  // namespace

const SampleKernels* Sse2Kernels() { return &kSse2; }

}  // namespace jpeg

#else

namespace jpeg {
const SampleKernels* Sse2Kernels() { return nullptr; }
}  // namespace jpeg

#endif
