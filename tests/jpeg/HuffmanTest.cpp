// Optimal Huffman tables: length limiting, the reserved code point,
// validation, and the symbol statistics that feed them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "SymbolCoding.h"
#include "Huffman.h"
#include "JpegError.h"
#include "Tables.h"

namespace {

// Kraft sum in units of 2^-16; a complete prefix code would give 65536.
uint32_t KraftUnits(const jpeg::HuffmanSpec& spec) {
  uint32_t units = 0;
  for (int l = 1; l <= 16; ++l) units += spec.bits[l] << (16 - l);
  return units;
}

void ExpectNoAllOnesCode(const jpeg::HuffmanCodes& t) {
  for (int s = 0; s < 256; ++s) {
    if (t.length[s] == 0) continue;
    EXPECT_NE(t.code[s], (1 << t.length[s]) - 1) << "symbol " << s;
    EXPECT_EQ(t.lengthMask[s], 1u << (t.length[s] - 1));
  }
}

void ExpectBadTable(const jpeg::HuffmanSpec& spec, int largest) {
  try {
    jpeg::ExpandTable(spec, largest);
    FAIL() << "accepted";
  } catch (const jpeg::JpegError& e) {
    EXPECT_EQ(e.Number(), 1);
    EXPECT_STREQ(e.what(), "Bad Huffman Table");
  }
}

TEST(JpegHuffman, SkewedStatisticsAreFoldedTo16Bits) {
  jpeg::Frequencies f{};
  uint32_t a = 1, b = 1;  // Fibonacci counts: the tree degenerates into a list
  for (int s = 0; s < 40; ++s) {
    f[s] = a;
    const uint32_t next = a + b;
    a = b;
    b = next;
  }
  const jpeg::HuffmanSpec spec = jpeg::GenerateOptimalTable(f);
  EXPECT_EQ(spec.huffval.size(), 40u);
  EXPECT_LT(KraftUnits(spec), 65536u);  // room left: no all-ones code
  const jpeg::HuffmanCodes t = jpeg::ExpandTable(spec, 255);
  ExpectNoAllOnesCode(t);
  for (int s = 0; s < 40; ++s) EXPECT_GE(t.length[s], 1);
  EXPECT_LE(t.length[39], t.length[0]);  // the most frequent gets the shortest
  EXPECT_EQ(spec.bits[16] > 0, true);
}

TEST(JpegHuffman, FewSymbolsGetShortCodesAndNoneIsAllOnes) {
  jpeg::Frequencies one{};
  one[0] = 500;  // a flat picture's DC table: a single category
  const jpeg::HuffmanCodes t1 = jpeg::ExpandTable(jpeg::GenerateOptimalTable(one), 11);
  EXPECT_EQ(t1.length[0], 1);
  EXPECT_EQ(t1.code[0], 0);

  jpeg::Frequencies two{};
  two[0x00] = 10, two[0x01] = 10;  // tie: the larger symbol merges first
  const jpeg::HuffmanSpec spec = jpeg::GenerateOptimalTable(two);
  const jpeg::HuffmanCodes t2 = jpeg::ExpandTable(spec, 255);
  ExpectNoAllOnesCode(t2);
  EXPECT_EQ(spec.huffval, (std::vector<uint8_t>{0x00, 0x01}));
}

TEST(JpegHuffman, ExpansionRejectsInvalidTables) {
  jpeg::HuffmanSpec aboveLimit;
  aboveLimit.bits[2] = 1;
  aboveLimit.huffval = {12};
  ExpectBadTable(aboveLimit, 11);

  jpeg::HuffmanSpec repeated;
  repeated.bits[2] = 2;
  repeated.huffval = {3, 3};
  ExpectBadTable(repeated, 255);

  jpeg::HuffmanSpec tooManyOfOneLength;
  tooManyOfOneLength.bits[1] = 3;
  tooManyOfOneLength.huffval = {1, 2, 3};
  ExpectBadTable(tooManyOfOneLength, 255);

  ExpectBadTable(jpeg::HuffmanSpec{}, 255);  // empty

  jpeg::HuffmanSpec tooMany;
  tooMany.bits[9] = 255;
  tooMany.bits[10] = 2;
  for (int s = 0; s < 257; ++s) tooMany.huffval.push_back(static_cast<uint8_t>(s));
  ExpectBadTable(tooMany, 255);
}

// A zig-zag block stored as symbols: the kernels hand blocks over in the
// transposed layout with their non-zero mask.
const jpeg::Frequencies& StoreBlock(jpeg::BlockSymbols& store, const int16_t (&zigzag)[64]) {
  constexpr jpeg::ZigZagIndex order = jpeg::BuildTransposedZigZagIndex();
  alignas(32) int16_t transposed[64];
  uint64_t nonZero = 0;
  for (int t = 0; t < 64; ++t) {
    transposed[t] = zigzag[order[t]];
    nonZero |= uint64_t{transposed[t] != 0} << t;
  }
  jpeg::SymbolSink sink = store.Sink(1);
  jpeg::AppendBlockSymbols(transposed, nonZero, sink);
  store.Commit(sink);
  return store.AcFrequencies();
}

TEST(JpegStatistics, BlockSymbols) {
  jpeg::BlockSymbols store;
  store.Reset(2);
  int16_t block[64] = {};
  block[0] = -5;
  const jpeg::Frequencies& ac = StoreBlock(store, block);  // AC all zero: EOB only
  EXPECT_EQ(ac[0x00], 1u);
  EXPECT_EQ(store.Dc(0), -5);
  EXPECT_EQ(store.AcEnd(0) - store.AcBegin(0), 1);

  block[36] = 2;  // 35 zeros before it: two ZRL, then run 3, size 2
  block[63] = -1;
  StoreBlock(store, block);
  EXPECT_EQ(ac[0x32], 1u);
  EXPECT_EQ(ac[0xF0], 3u);  // 26 more zeros: one ZRL, then run 10, size 1
  EXPECT_EQ(ac[0xA1], 1u);  // no EOB after a coefficient at position 63
  EXPECT_EQ(ac[0x00], 1u);
  int16_t back[64];
  store.ZigZagBlock(1, back);
  EXPECT_TRUE(std::equal(back, back + 64, block));

  EXPECT_EQ(jpeg::SizeCategory(0), 0);
  EXPECT_EQ(jpeg::SizeCategory(-1), 1);
  EXPECT_EQ(jpeg::SizeCategory(3), 2);
  EXPECT_EQ(jpeg::SizeCategory(-1024), 11);
  EXPECT_EQ(jpeg::SizeCategory(2047), 11);
}

}  // namespace
