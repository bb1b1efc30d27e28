// Scan headers and block coding from the symbol stores.
#include "ScanEncoder.h"

#include "CoefficientBits.h"

namespace jpeg {

namespace {

// Per symbol, its code with room below for the symbol's appended bits,
// and the length of both together, so a symbol and its value go out in
// one append (at most 16 + 11 bits).
struct SymbolCodes {
  uint32_t code[256];
  uint8_t length[256];
};

// sizeMask: the bits of a symbol that give its appended size (all of a
// DC symbol, the low four of an AC symbol).
SymbolCodes MakeSymbolCodes(const HuffmanCodes& table, unsigned sizeMask) {
  SymbolCodes codes{};
  for (unsigned symbol = 0; symbol < 256; ++symbol) {
    if (table.length[symbol] == 0) continue;
    const unsigned size = symbol & sizeMask;
    if (size > 15) continue;
    codes.code[symbol] = static_cast<uint32_t>(table.code[symbol]) << size;
    codes.length[symbol] = static_cast<uint8_t>(table.length[symbol] + size);
  }
  return codes;
}

struct SlotCoder {
  const BlockSymbols* blocks;
  const SymbolCodes* dc;
  const SymbolCodes* ac;
  int predictor;
};

inline void EncodeBlock(BitPacker& bits, SlotCoder& slot, size_t block) {
  const int dc = slot.blocks->Dc(block);
  const int diff = dc - slot.predictor;
  slot.predictor = dc;
  const int s = SizeCategory(diff);
  bits.Put(slot.dc->code[s] | AppendedBits(diff, s), slot.dc->length[s]);
  const uint32_t* end = slot.blocks->AcEnd(block);
  for (const uint32_t* entry = slot.blocks->AcBegin(block); entry != end; ++entry) {
    const uint32_t symbol = BlockSymbols::Symbol(*entry);
    bits.Put(slot.ac->code[symbol] | BlockSymbols::Bits(*entry), slot.ac->length[symbol]);
  }
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
  SymbolCodes dc[2], ac[2];
  for (int table = 0; table < 2; ++table) {
    dc[table] = MakeSymbolCodes(tables.dc[table], 0xFF);
    ac[table] = MakeSymbolCodes(tables.ac[table], 0x0F);
  }
  for (const std::vector<int>& scan : scans) {
    WriteScanHeader(frame, scan, out);
    SlotCoder slots[4];
    for (size_t slot = 0; slot < scan.size(); ++slot) {
      const int table = scan[slot] == 0 ? 0 : 1;
      slots[slot] = {&frame.components[scan[slot]].blocks, &dc[table], &ac[table], 0};
    }
    BitPacker bits(out.Room(BitPacker::kMaxBlockBytes));
    uint8_t* end = out.End();
    ForEachScanBlock(frame, scan, [&](int slot, ptrdiff_t block) {
      if (static_cast<size_t>(end - bits.Position()) < BitPacker::kMaxBlockBytes) {
        out.Commit(bits.Position());
        bits.Rebase(out.Room(BitPacker::kMaxBlockBytes));
        end = out.End();
      }
      SlotCoder& coder = slots[slot];
      if (block >= 0) {
        EncodeBlock(bits, coder, static_cast<size_t>(block));
      } else {  // padding block: DC category 0, end of block
        bits.Put(coder.dc->code[0], coder.dc->length[0]);
        bits.Put(coder.ac->code[0x00], coder.ac->length[0x00]);
      }
    });
    out.Commit(bits.Flush());
  }
}

}  // namespace jpeg
