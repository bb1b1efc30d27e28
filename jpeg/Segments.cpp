// Segment layouts.
#include "Segments.h"

#include <algorithm>

#include "JpegError.h"

namespace jpeg {

void WriteApp0(ByteBuffer& out) {
  static const uint8_t kApp0[] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F', 0x00,
                                  0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
  for (uint8_t b : kApp0) out.Byte(b);
}

void WriteComment(ByteBuffer& out, const std::string& text) {
  if (text.size() + 2 < 3) return;
  out.Marker(0xFE);
  out.Word(static_cast<unsigned>(text.size() + 2));
  for (char c : text) out.Byte(static_cast<uint8_t>(c));
}

void WriteDqt(ByteBuffer& out, const QuantTable& table, int slot, int precision) {
  const bool wide = std::any_of(table.entries.begin(), table.entries.end(),
                                [](uint16_t q) { return q > 255; });
  if (wide && precision != 12) {
    throw JpegError(1, "Illegal precission in Quantization Table");
  }
  out.Marker(0xDB);
  const size_t lengthAt = out.Position();
  out.Word(0);  // patched below
  out.Byte(static_cast<uint8_t>((wide ? 0x10 : 0x00) | slot));
  for (uint16_t q : table.entries) {
    if (wide) out.Word(q);
    else out.Byte(static_cast<uint8_t>(q));
  }
  out.PatchWord(lengthAt, static_cast<unsigned>(out.Position() - lengthAt));
}

void WriteSof0(ByteBuffer& out, const Frame& frame, int precision) {
  const size_t count = frame.components.size();
  out.Marker(0xC0);
  out.Word(static_cast<unsigned>(8 + 3 * count));
  out.Byte(static_cast<uint8_t>(precision));
  out.Word(static_cast<unsigned>(frame.height));
  out.Word(static_cast<unsigned>(frame.width));
  out.Byte(static_cast<uint8_t>(count));
  for (const Component& c : frame.components) {
    out.Byte(static_cast<uint8_t>(c.id));
    out.Byte(static_cast<uint8_t>(c.h * 16 + c.v));
    out.Byte(static_cast<uint8_t>(c.tq));
  }
}

void WriteDht(ByteBuffer& out, const HuffmanSpec& spec, int tableClass, int slot) {
  out.Marker(0xC4);
  const size_t lengthAt = out.Position();
  out.Word(0);  // patched below
  out.Byte(static_cast<uint8_t>(tableClass * 16 + slot));
  for (int length = 1; length <= 16; ++length) out.Byte(spec.bits[length]);
  for (uint8_t symbol : spec.huffval) out.Byte(symbol);
  out.PatchWord(lengthAt, static_cast<unsigned>(out.Position() - lengthAt));
}

}  // namespace jpeg
