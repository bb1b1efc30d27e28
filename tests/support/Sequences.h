// Comparing what a fake recorded with an expected table, in the style of
// message-sequence tests: on a mismatch the failure shows both sequences
// side by side, row by row, with the first differing row marked.
//
//   EXPECT_TRUE(MatchSequence("engine calls", engine.Calls(), expected));
//
// Actual and expected rows need Matches(actual, expected) and Describe()
// for each, found by argument-dependent lookup.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testing_support {

// The side-by-side table of a failed comparison.
std::string SequenceTable(const char* what, const std::vector<std::string>& expected,
                          const std::vector<std::string>& actual, size_t firstDifference);

// Rows that are plain text match when they are equal.
inline bool Matches(const std::string& actual, const std::string& expected) { return actual == expected; }
inline std::string Describe(const std::string& row) { return row; }

template <typename Actual, typename Expected>
::testing::AssertionResult MatchSequence(const char* what, const std::vector<Actual>& actual,
                                         const std::vector<Expected>& expected) {
  const size_t common = std::min(actual.size(), expected.size());
  size_t first = common;
  for (size_t i = 0; i < common && first == common; ++i) {
    if (!Matches(actual[i], expected[i])) first = i;
  }
  if (first == common && actual.size() == expected.size()) return ::testing::AssertionSuccess();
  std::vector<std::string> expectedRows, actualRows;
  for (const Expected& row : expected) expectedRows.push_back(Describe(row));
  for (const Actual& row : actual) actualRows.push_back(Describe(row));
  return ::testing::AssertionFailure() << SequenceTable(what, expectedRows, actualRows, first);
}

}  // namespace testing_support
