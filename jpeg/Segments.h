// Marker segments of the file: JFIF APP0, COM, DQT, SOF0 and DHT. Every
// segment length is big-endian and counts itself and the rest of the
// segment, not the marker.
#pragma once

#include <string>

#include "BitWriter.h"
#include "Huffman.h"
#include "Quantization.h"
#include "Scans.h"

namespace jpeg {

// JFIF 1.01, aspect ratio 1:1, no thumbnail.
void WriteApp0(ByteBuffer& out);

// COM with one byte per character; the empty string writes nothing.
void WriteComment(ByteBuffer& out, const std::string& text);

// One table per segment; 16-bit entries only at precision 12, otherwise
// "Illegal precission in Quantization Table".
void WriteDqt(ByteBuffer& out, const QuantTable& table, int slot, int precision);

void WriteSof0(ByteBuffer& out, const Frame& frame, int precision);

// tableClass 0 = DC, 1 = AC.
void WriteDht(ByteBuffer& out, const HuffmanSpec& spec, int tableClass, int slot);

}  // namespace jpeg
