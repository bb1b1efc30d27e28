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

class BitWriter {
 public:
  explicit BitWriter(ByteBuffer& out) : out_(out) {}

  // Appends the low `count` bits of value (count 0..16).
  void Put(uint32_t value, int count) {
    accumulator_ = (accumulator_ << count) | (value & ((1u << count) - 1));
    pending_ += count;
    if (pending_ >= 32) Drain();
  }

  // Pads the last byte with 1-bits and writes out everything pending.
  void Flush() {
    const int pad = (8 - pending_ % 8) % 8;
    if (pad) Put((1u << pad) - 1, pad);
    while (pending_ >= 8) EmitTopByte();
    accumulator_ = 0;
  }

 private:
  void Drain() {
    while (pending_ >= 8) EmitTopByte();
  }
  void EmitTopByte() {
    pending_ -= 8;
    const uint8_t b = static_cast<uint8_t>(accumulator_ >> pending_);
    out_.Byte(b);
    if (b == 0xFF) out_.Byte(0x00);
  }

  ByteBuffer& out_;
  uint64_t accumulator_ = 0;
  int pending_ = 0;
};

}  // namespace jpeg
