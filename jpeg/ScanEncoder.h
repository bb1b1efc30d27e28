// Baseline Huffman coding of the scans (the standard's Annex F): one SOS
// segment and its entropy-coded data per scan.
#pragma once

#include <vector>

#include "BitWriter.h"
#include "Huffman.h"
#include "Scans.h"

namespace jpeg {

struct CodeTables {
  HuffmanCodes dc[2];
  HuffmanCodes ac[2];
};

void WriteScans(const Frame& frame, const std::vector<std::vector<int>>& scans,
                const CodeTables& tables, ByteBuffer& out);

}  // namespace jpeg
