// The quantized blocks of one component, kept the way the coder needs
// them: each block's DC coefficient, and its AC coefficients as run/size
// symbols with their appended bits (the end of block included), counted
// into the AC frequencies as they are made. A block at the usual qualities
// holds a handful of symbols, so a whole picture's store stays in cache
// where 64 coefficients a block would not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Huffman.h"

namespace jpeg {

// An array that grows without initialising its elements and keeps its
// memory from one picture to the next.
template <typename T>
class GrowingArray {
 public:
  T* Data() { return data_.get(); }
  const T* Data() const { return data_.get(); }
  // Room for `needed` elements, the first `kept` preserved.
  void Reserve(size_t needed, size_t kept) {
    if (needed <= capacity_) return;
    const size_t capacity = needed > 2 * capacity_ ? needed : 2 * capacity_;
    std::unique_ptr<T[]> grown(new T[capacity]);
    for (size_t i = 0; i < kept; ++i) grown[i] = data_[i];
    data_ = std::move(grown);
    capacity_ = capacity;
  }

 private:
  std::unique_ptr<T[]> data_;
  size_t capacity_ = 0;
};

// The store's arrays as the sampling kernels write them, with room made
// for the blocks of one span (SymbolCoding.h).
struct SymbolSink {
  int16_t* dc;
  uint32_t* ends;     // entries used up to the end of each block
  uint32_t* entries;
  uint32_t* acFrequencies;
  size_t count;       // blocks stored
  uint32_t used;      // entries stored
};

class BlockSymbols {
 public:
  // An AC entry: the symbol in the low 8 bits, its appended bits above.
  static uint32_t Symbol(uint32_t entry) { return entry & 0xFF; }
  static uint32_t Bits(uint32_t entry) { return entry >> 8; }

  // Empties the store for a picture of `blocks` blocks.
  void Reset(size_t blocks);

  // Room for `blocks` more blocks; the kernels append through the sink,
  // and Commit keeps what they stored.
  SymbolSink Sink(int blocks);
  void Commit(const SymbolSink& sink);

  size_t Count() const { return count_; }
  int Dc(size_t n) const { return dc_.Data()[n]; }
  const uint32_t* AcBegin(size_t n) const { return entries_.Data() + (n ? ends_.Data()[n - 1] : 0); }
  const uint32_t* AcEnd(size_t n) const { return entries_.Data() + ends_.Data()[n]; }
  // AC symbols of every stored block.
  const Frequencies& AcFrequencies() const { return acFrequencies_; }

  // Block n's 64 coefficients in zig-zag order, decoded from the store.
  void ZigZagBlock(size_t n, int16_t* out) const;
  // All blocks so, one after another.
  std::vector<int16_t> ZigZagCoefficients() const;

 private:
  size_t count_ = 0;
  uint32_t used_ = 0;
  GrowingArray<int16_t> dc_;
  GrowingArray<uint32_t> ends_;
  GrowingArray<uint32_t> entries_;
  Frequencies acFrequencies_{};
};

}  // namespace jpeg
