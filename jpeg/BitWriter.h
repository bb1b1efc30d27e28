// The output buffer and the entropy coder's bit packer. Bits are packed
// most significant first; a coded FF byte is followed by 00 and the last
// byte of a scan is padded with 1-bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(_MSC_VER)
#include <stdlib.h>
#endif

namespace jpeg {

// The file being assembled. Marker segments go in byte by byte; the coder
// asks for room and writes through a pointer.
class ByteBuffer {
 public:
  void Reserve(size_t bytes) {
    if (bytes > bytes_.size()) bytes_.resize(bytes);
  }
  void Byte(uint8_t b) {
    if (used_ == bytes_.size()) Grow(1);
    bytes_[used_++] = b;
  }
  void Word(unsigned w) {  // big-endian 16 bits
    Byte(static_cast<uint8_t>(w >> 8));
    Byte(static_cast<uint8_t>(w));
  }
  void Marker(uint8_t code) {
    Byte(0xFF);
    Byte(code);
  }
  size_t Position() const { return used_; }
  void PatchWord(size_t at, unsigned w) {
    bytes_[at] = static_cast<uint8_t>(w >> 8);
    bytes_[at + 1] = static_cast<uint8_t>(w);
  }
  // At least `bytes` bytes of room after the written ones; the pointer
  // stays valid until the next call that adds bytes.
  uint8_t* Room(size_t bytes) {
    if (bytes_.size() - used_ < bytes) Grow(bytes);
    return bytes_.data() + used_;
  }
  uint8_t* End() { return bytes_.data() + bytes_.size(); }
  // Keeps what was written through Room's pointer, up to `end`.
  void Commit(const uint8_t* end) { used_ = static_cast<size_t>(end - bytes_.data()); }
  // The finished file; the buffer is left empty.
  std::vector<uint8_t> Take() {
    bytes_.resize(used_);
    used_ = 0;
    return std::move(bytes_);
  }

 private:
  void Grow(size_t bytes) { bytes_.resize(used_ + bytes + bytes_.size() / 2 + 4096); }

  std::vector<uint8_t> bytes_;
  size_t used_ = 0;
};

// Collects bits in a 64-bit buffer and stores eight bytes at a time; the
// common case (no FF among them) is one test and one store. A value type,
// so the coding loop keeps it in registers; the caller makes room.
class BitPacker {
 public:
  // The most a Put sequence of one block can store (64 codes of at most
  // 27 bits, every byte stuffed) plus a buffered word.
  static constexpr size_t kMaxBlockBytes = 512;

  explicit BitPacker(uint8_t* out) : out_(out) {}

  uint8_t* Position() const { return out_; }
  void Rebase(uint8_t* out) { out_ = out; }

  // Appends value, which must fit in `count` bits (count 1..32).
  void Put(uint32_t value, int count) {
    if (count < free_) {
      buffer_ = (buffer_ << count) | value;
      free_ -= count;
      return;
    }
    const int rest = count - free_;  // bits of value left for the next word
    Store((buffer_ << free_) | (static_cast<uint64_t>(value) >> rest));
    buffer_ = value;
    free_ = 64 - rest;
  }

  // Pads the last byte with 1-bits, stores everything pending and returns
  // the end of the coded data.
  uint8_t* Flush() {
    const int pad = (free_ % 8);
    if (pad) Put((1u << pad) - 1, pad);
    for (int pending = 64 - free_; pending > 0; pending -= 8) {
      StoreByte(static_cast<uint8_t>(buffer_ >> (pending - 8)));
    }
    free_ = 64;
    return out_;
  }

 private:
  void Store(uint64_t word) {
    // A byte is FF exactly when the same byte of ~word is zero.
    const uint64_t inverted = ~word;
    if (((inverted - 0x0101010101010101ull) & word & 0x8080808080808080ull) == 0) {
#if defined(_MSC_VER)
      const uint64_t bigEndian = _byteswap_uint64(word);
#else
      const uint64_t bigEndian = __builtin_bswap64(word);
#endif
      std::memcpy(out_, &bigEndian, 8);
      out_ += 8;
      return;
    }
    for (int shift = 56; shift >= 0; shift -= 8) StoreByte(static_cast<uint8_t>(word >> shift));
  }
  void StoreByte(uint8_t b) {
    *out_++ = b;
    if (b == 0xFF) *out_++ = 0x00;
  }

  uint64_t buffer_ = 0;  // the low 64 - free_ bits are pending
  int free_ = 64;
  uint8_t* out_;
};

}  // namespace jpeg
