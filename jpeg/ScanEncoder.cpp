// Scan headers and block coding.
#include "ScanEncoder.h"

#include "Statistics.h"

namespace jpeg {

namespace {

inline void PutSymbol(BitWriter& bits, const HuffmanCodes& table, int symbol) {
  bits.Put(static_cast<uint32_t>(table.code[symbol]), table.length[symbol]);
}

// Appends the low s bits of the value (of value - 1 when negative).
inline void PutValue(BitWriter& bits, int value, int s) {
  if (s) bits.Put(static_cast<uint32_t>(value < 0 ? value - 1 : value), s);
}

void EncodeBlock(BitWriter& bits, const int16_t* block, int& predictor,
                 const HuffmanCodes& dc, const HuffmanCodes& ac) {
  const int diff = block[0] - predictor;
  predictor = block[0];
  const int dcSize = SizeCategory(diff);
  PutSymbol(bits, dc, dcSize);
  PutValue(bits, diff, dcSize);
  int run = 0;
  for (int z = 1; z < 64; ++z) {
    const int value = block[z];
    if (value == 0) {
      ++run;
      continue;
    }
    for (; run > 15; run -= 16) PutSymbol(bits, ac, 0xF0);
    const int s = SizeCategory(value);
    PutSymbol(bits, ac, run * 16 + s);
    PutValue(bits, value, s);
    run = 0;
  }
  if (run > 0) PutSymbol(bits, ac, 0x00);
}

void WriteScanHeader(const Frame& frame, const std::vector<int>& scan, ByteBuffer& out) {
  out.Marker(0xDA);
  out.Word(static_cast<unsigned>(2 * scan.size() + 6));
  out.Byte(static_cast<uint8_t>(scan.size()));
  for (int index : scan) {
    const Component& c = frame.components[index];
    const int table = index == 0 ? 0 : 1;
    out.Byte(static_cast<uint8_t>(c.id));
    out.Byte(static_cast<uint8_t>(table * 16 + table));
  }
  out.Byte(0x00);  // Ss
  out.Byte(0x3F);  // Se
  out.Byte(0x00);  // Ah/Al
}

}  // namespace

void WriteScans(const Frame& frame, const std::vector<std::vector<int>>& scans,
                const CodeTables& tables, ByteBuffer& out) {
  for (const std::vector<int>& scan : scans) {
    WriteScanHeader(frame, scan, out);
    BitWriter bits(out);
    int predictors[4] = {0, 0, 0, 0};
    ForEachScanBlock(frame, scan, [&](int slot, const int16_t* block) {
      const int table = scan[slot] == 0 ? 0 : 1;
      const HuffmanCodes& dc = tables.dc[table];
      const HuffmanCodes& ac = tables.ac[table];
      if (block) {
        EncodeBlock(bits, block, predictors[slot], dc, ac);
      } else {  // padding block: DC category 0, end of block
        PutSymbol(bits, dc, 0);
        PutSymbol(bits, ac, 0x00);
      }
    });
    bits.Flush();
  }
}

}  // namespace jpeg
