// Reads the headers of a JPEG file as a decoder would: frame size,
// sampling factors and the first quantizer of each table.
#pragma once

#include <string>
#include <vector>

namespace flow_tests {

struct JpegFacts {
  bool complete = false;  // starts with SOI, ends with EOI
  bool baseline = false;  // SOF0
  int width = 0;
  int height = 0;
  std::vector<int> sampling;       // per component, H << 4 | V
  std::vector<int> firstQuantizer; // per table, in file order
};

JpegFacts ReadJpegFacts(const std::string& bytes);

}  // namespace flow_tests
