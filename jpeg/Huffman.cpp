// Huffman table construction.
#include "Huffman.h"

#include <algorithm>

#include "JpegError.h"

namespace jpeg {

namespace {

constexpr int kEntries = 257;
// Code sizes before limiting can exceed 16; 257 entries bound them by 256.
constexpr int kMaxRawSize = kEntries;

// Picks the smallest and next smallest non-zero frequencies; ties go to the
// larger symbol value. `active` lists the entries with a non-zero
// frequency in increasing order, so the pass sees them as a pass over all
// entries would.
void FindTwoSmallest(const Frequencies& freq, const std::vector<int>& active, int& c1, int& c2) {
  c1 = -1;
  c2 = -1;
  for (int i : active) {
    if (c1 < 0 || freq[i] <= freq[c1]) {
      c2 = c1;
      c1 = i;
    } else if (c2 < 0 || freq[i] <= freq[c2]) {
      c2 = i;
    }
  }
}

std::array<int, kEntries> ComputeCodeSizes(Frequencies& freq) {
  std::array<int, kEntries> codeSize{};
  std::array<int, kEntries> others;
  others.fill(-1);
  std::vector<int> active;
  for (int i = 0; i < kEntries; ++i) {
    if (freq[i] != 0) active.push_back(i);
  }
  const int merges = static_cast<int>(
      std::count_if(freq.begin(), freq.begin() + 256, [](uint32_t f) { return f != 0; }));
  for (int n = 0; n < merges; ++n) {
    int c1, c2;
    FindTwoSmallest(freq, active, c1, c2);
    freq[c1] += freq[c2];
    freq[c2] = 0;
    active.erase(std::find(active.begin(), active.end(), c2));
    ++codeSize[c1];
    while (others[c1] >= 0) {
      c1 = others[c1];
      ++codeSize[c1];
    }
    others[c1] = c2;
    ++codeSize[c2];
    while (others[c2] >= 0) {
      c2 = others[c2];
      ++codeSize[c2];
    }
  }
  return codeSize;
}

// Figure K.3: folds code lengths above 16 into the 16-bit range.
void LimitTo16Bits(std::array<int, kMaxRawSize + 1>& bits, int largest) {
  for (int i = largest; i > 16; --i) {
    while (bits[i] > 0) {
      int j = i - 2;
      while (bits[j] == 0) --j;
      bits[i] -= 2;
      bits[i - 1] += 1;
      bits[j + 1] += 2;
      bits[j] -= 1;
    }
  }
}

}  // namespace

HuffmanSpec GenerateOptimalTable(Frequencies frequencies) {
  frequencies[256] = 1;  // reserved code point: no code is all ones
  const std::array<int, kEntries> codeSize = ComputeCodeSizes(frequencies);

  std::array<int, kMaxRawSize + 1> bits{};
  int largest = 0;
  for (int i = 0; i < kEntries; ++i) {
    if (codeSize[i] == 0) continue;
    ++bits[codeSize[i]];
    largest = std::max(largest, codeSize[i]);
  }
  LimitTo16Bits(bits, largest);
  // Remove the reserved code from the longest remaining length.
  for (int i = std::min(largest, 16); i > 0; --i) {
    if (bits[i] > 0) {
      --bits[i];
      break;
    }
  }

  HuffmanSpec spec;
  for (int length = 1; length <= 16; ++length) spec.bits[length] = static_cast<uint8_t>(bits[length]);
  for (int size = 1; size <= largest; ++size) {
    for (int symbol = 0; symbol < 256; ++symbol) {
      if (codeSize[symbol] == size) spec.huffval.push_back(static_cast<uint8_t>(symbol));
    }
  }
  return spec;
}

HuffmanCodes ExpandTable(const HuffmanSpec& spec, int largestSymbol) {
  const JpegError bad(1, "Bad Huffman Table");
  HuffmanCodes table;
  table.spec = spec;
  table.code.fill(-1);
  int code = 0;
  size_t total = 0;
  for (int length = 1; length <= 16; ++length) {
    const int count = spec.bits[length];
    if (total + count > 256 || total + count > spec.huffval.size()) throw bad;
    for (int n = 0; n < count; ++n) {
      const int symbol = spec.huffval[total + n];
      if (symbol > largestSymbol || table.code[symbol] >= 0) throw bad;
      table.code[symbol] = code++;
      table.length[symbol] = static_cast<uint8_t>(length);
      table.lengthMask[symbol] = static_cast<uint16_t>(1u << (length - 1));
    }
    total += count;
    if (code >= (1 << length)) throw bad;
    code <<= 1;
  }
  if (total == 0) throw bad;
  return table;
}

}  // namespace jpeg
