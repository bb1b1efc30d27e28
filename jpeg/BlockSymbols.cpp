// The symbol store, its order tables, and decoding back for checking.
#include "BlockSymbols.h"

#include <limits>
#include <new>

#include "SymbolCoding.h"
#include "Tables.h"

namespace jpeg {

namespace {

constexpr std::array<uint8_t, 64> TransposedOfZigZag() {
  constexpr ZigZagIndex zigzag = BuildTransposedZigZagIndex();
  std::array<uint8_t, 64> transposed{};
  for (int t = 0; t < 64; ++t) transposed[zigzag[t]] = static_cast<uint8_t>(t);
  return transposed;
}

constexpr std::array<std::array<uint64_t, 256>, 8> ZigZagBitsOfByte() {
  constexpr ZigZagIndex zigzag = BuildTransposedZigZagIndex();
  std::array<std::array<uint64_t, 256>, 8> bits{};
  for (int i = 0; i < 8; ++i) {
    for (int byte = 0; byte < 256; ++byte) {
      for (int bit = 0; bit < 8; ++bit) {
        if ((byte >> bit) & 1) bits[i][byte] |= uint64_t{1} << zigzag[8 * i + bit];
      }
    }
  }
  return bits;
}

}  // namespace

constexpr std::array<uint8_t, 64> kTransposedOfZigZag = TransposedOfZigZag();
constexpr std::array<std::array<uint64_t, 256>, 8> kZigZagBitsOfByte = ZigZagBitsOfByte();

void BlockSymbols::Reset(size_t blocks) {
  count_ = 0;
  used_ = 0;
  dc_.Reserve(blocks, 0);
  ends_.Reserve(blocks, 0);
  entries_.Reserve(blocks * 6 + 1024, 0);  // a guess; grows when the picture is busier
  acFrequencies_.fill(0);
}

SymbolSink BlockSymbols::Sink(int blocks) {
  // At most 63 coefficients and an end of block per block, or three zero
  // runs and a coefficient.
  const size_t worst = used_ + static_cast<size_t>(blocks) * 64;
  if (worst > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
  entries_.Reserve(worst, used_);
  dc_.Reserve(count_ + blocks, count_);
  ends_.Reserve(count_ + blocks, count_);
  return {dc_.Data(), ends_.Data(), entries_.Data(), acFrequencies_.data(), count_, used_};
}

void BlockSymbols::Commit(const SymbolSink& sink) {
  count_ = sink.count;
  used_ = sink.used;
}

void BlockSymbols::ZigZagBlock(size_t n, int16_t* out) const {
  for (int z = 0; z < 64; ++z) out[z] = 0;
  out[0] = static_cast<int16_t>(Dc(n));
  int z = 1;
  for (const uint32_t* e = AcBegin(n); e != AcEnd(n); ++e) {
    const uint32_t symbol = Symbol(*e);
    if (symbol == kEndOfBlockSymbol) break;
    const int s = static_cast<int>(symbol & 15);
    z += static_cast<int>(symbol >> 4);
    if (s != 0 && z < 64) out[z] = static_cast<int16_t>(ExtendBits(Bits(*e), s));
    ++z;  // past the coefficient, or the sixteenth zero of a run
  }
}

std::vector<int16_t> BlockSymbols::ZigZagCoefficients() const {
  std::vector<int16_t> all(count_ * 64);
  for (size_t n = 0; n < count_; ++n) ZigZagBlock(n, all.data() + 64 * n);
  return all;
}

}  // namespace jpeg
