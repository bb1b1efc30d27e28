// Scan headers and block coding.
#include "ScanEncoder.h"

#include "CoefficientBits.h"

namespace jpeg {

namespace {

inline void PutSymbol(BitWriter& bits, const HuffmanCodes& table, int symbol) {
  bits.Put(static_cast<uint32_t>(table.code[symbol]), table.length[symbol]);
}

// A code followed by the s bits of its value, in one append (at most
// 16 + 15 bits).
inline void PutSymbolAndValue(BitWriter& bits, const HuffmanCodes& table, int symbol,
                              int value, int s) {
  const uint32_t code = static_cast<uint32_t>(table.code[symbol]);
  bits.Put((code << s) | AppendedBits(value, s), table.length[symbol] + s);
}

// Visits only the non-zero AC coefficients (in zig-zag order), so the runs
// of zeros between them come from their positions.
void EncodeBlock(BitWriter& bits, const int16_t* block, int& predictor,
                 const HuffmanCodes& dc, const HuffmanCodes& ac) {
  const int diff = block[0] - predictor;
  predictor = block[0];
  PutSymbolAndValue(bits, dc, SizeCategory(diff), diff, SizeCategory(diff));
  uint64_t pending = NonZeroMask(block) & ~uint64_t{1};
  int previous = 0;
  while (pending) {
    const int z = LowestSetBit(pending);
    pending &= pending - 1;
    int run = z - previous - 1;
    for (; run > 15; run -= 16) PutSymbol(bits, ac, 0xF0);
    const int value = block[z];
    const int s = SizeCategory(value);
    PutSymbolAndValue(bits, ac, run * 16 + s, value, s);
    previous = z;
  }
  if (previous != 63) PutSymbol(bits, ac, 0x00);
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
