// The side-by-side table of a failed sequence comparison.
#include "Sequences.h"

#include <sstream>

namespace testing_support {

std::string SequenceTable(const char* what, const std::vector<std::string>& expected,
                          const std::vector<std::string>& actual, size_t firstDifference) {
  size_t width = 8;
  for (const std::string& row : expected) width = std::max(width, row.size());
  std::ostringstream out;
  out << what << " differ from row " << firstDifference << " on (expected " << expected.size() << " rows, got "
      << actual.size() << "):\n";
  out << "      #  " << std::string("expected").append(width - 8, ' ') << "  actual\n";
  const size_t rows = std::max(expected.size(), actual.size());
  for (size_t i = 0; i < rows; ++i) {
    const std::string left = i < expected.size() ? expected[i] : "-";
    const std::string right = i < actual.size() ? actual[i] : "-";
    out << (i == firstDifference ? "  >> " : "     ") << (i < 10 ? " " : "") << i << "  " << left
        << std::string(width - left.size(), ' ') << "  " << right << "\n";
  }
  return out.str();
}

}  // namespace testing_support
