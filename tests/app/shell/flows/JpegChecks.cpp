// JPEG header reading for the tests.
#include "JpegChecks.h"

namespace flow_tests {

namespace {

int Byte(const std::string& b, std::size_t i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0; }
int Word(const std::string& b, std::size_t i) { return Byte(b, i) << 8 | Byte(b, i + 1); }

}  // namespace

JpegFacts ReadJpegFacts(const std::string& b) {
  JpegFacts facts;
  if (b.size() < 4 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8) return facts;
  facts.complete = Byte(b, b.size() - 2) == 0xFF && Byte(b, b.size() - 1) == 0xD9;
  std::size_t at = 2;
  while (at + 4 <= b.size() && Byte(b, at) == 0xFF) {
    const int marker = Byte(b, at + 1);
    const int length = Word(b, at + 2);
    const std::size_t body = at + 4;
    if (marker == 0xDA) break;  // entropy-coded data follows
    if (marker == 0xC0) {
      facts.baseline = true;
      facts.height = Word(b, body + 1);
      facts.width = Word(b, body + 3);
      for (int c = 0; c < Byte(b, body + 5); ++c) facts.sampling.push_back(Byte(b, body + 6 + 3 * c + 1));
    } else if (marker == 0xDB) {
      for (std::size_t t = body; t + 65 <= at + 2 + length; t += 65) facts.firstQuantizer.push_back(Byte(b, t + 1));
    }
    at += 2 + length;
  }
  return facts;
}

}  // namespace flow_tests
