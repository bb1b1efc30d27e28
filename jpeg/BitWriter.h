// The growing output buffer and the entropy coder's bit accumulator. Bits
// are packed most significant first; a coded FF byte is followed by 00 and
// the last byte of a scan is padded with 1-bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jpeg {

class ByteBuffer {
 public:
  void Reserve(size_t bytes) { bytes_.reserve(bytes); }
  void Byte(uint8_t b) { bytes_.push_back(b); }
  void Append(const uint8_t* data, size_t count) { bytes_.insert(bytes_.end(), data, data + count); }
  void Word(unsigned w) {  // big-endian 16 bits
    Byte(static_cast<uint8_t>(w >> 8));
    Byte(static_cast<uint8_t>(w));
  }
  void Marker(uint8_t code) {
    Byte(0xFF);
    Byte(code);
  }
  size_t Position() const { return bytes_.size(); }
  void PatchWord(size_t at, unsigned w) {
    bytes_[at] = static_cast<uint8_t>(w >> 8);
    bytes_[at + 1] = static_cast<uint8_t>(w);
  }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Collects whole 32-bit words in a 64-bit accumulator and stores them into
// a fixed staging area, so the common case (no FF byte among the four) is a
// single test and four stores; the staging area is appended to the output
// buffer when nearly full and at Flush.
class BitWriter {
 public:
  explicit BitWriter(ByteBuffer& out) : out_(out) {}
  BitWriter(const BitWriter&) = delete;
  BitWriter& operator=(const BitWriter&) = delete;

  // Appends value, which must fit in `count` bits (count 0..32).
  void Put(uint32_t value, int count) {
    accumulator_ = (accumulator_ << count) | value;
    pending_ += count;
    if (pending_ >= 32) {
      pending_ -= 32;
      EmitWord(static_cast<uint32_t>(accumulator_ >> pending_));
    }
  }

  // Pads the last byte with 1-bits and writes out everything pending.
  void Flush() {
    const int pad = (8 - pending_ % 8) % 8;
    if (pad) Put((1u << pad) - 1, pad);
    while (pending_ >= 8) {
      pending_ -= 8;
      EmitByte(static_cast<uint8_t>(accumulator_ >> pending_));
    }
    accumulator_ = 0;
    out_.Append(staging_, used_);
    used_ = 0;
  }

 private:
  static constexpr size_t kStaging = 4096;

  void EmitWord(uint32_t word) {
    // A byte is FF exactly when the same byte of ~word is zero.
    const uint32_t inverted = ~word;
    const bool anyFF = ((inverted - 0x01010101u) & ~inverted & 0x80808080u) != 0;
    if (anyFF) {
      for (int shift = 24; shift >= 0; shift -= 8) EmitByte(static_cast<uint8_t>(word >> shift));
    } else {
      staging_[used_] = static_cast<uint8_t>(word >> 24);
      staging_[used_ + 1] = static_cast<uint8_t>(word >> 16);
      staging_[used_ + 2] = static_cast<uint8_t>(word >> 8);
      staging_[used_ + 3] = static_cast<uint8_t>(word);
      used_ += 4;
    }
    if (used_ > kStaging - 8) {  // room for the next word, stuffed
      out_.Append(staging_, used_);
      used_ = 0;
    }
  }
  void EmitByte(uint8_t b) {
    staging_[used_++] = b;
    if (b == 0xFF) staging_[used_++] = 0x00;
  }

  ByteBuffer& out_;
  uint64_t accumulator_ = 0;
  int pending_ = 0;  // bits in the accumulator not yet emitted, 0..31 between calls
  size_t used_ = 0;
  uint8_t staging_[kStaging];
};

}  // namespace jpeg
