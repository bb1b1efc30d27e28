// CheckWholeNumber and StripCommas: the cases the input forms rely on.
#include <gtest/gtest.h>

#include "EntryChecks.h"

using namespace torvane;

TEST(CheckWholeNumber, NoUpperLimitRequired) {
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(L"1,200", 1, 0, true));  // commas are ignored
  EXPECT_EQ(kEntryHasDecimal, CheckWholeNumber(L"12.0", 1, 0, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"-5", 1, 0, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L" 5", 1, 0, true));
  EXPECT_EQ(kEntryMissing, CheckWholeNumber(L"", 1, 0, true));
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(L"", 1, 0, false));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"0", 1, 0, true));
  // A digit string far beyond 16 bits passes when there is no upper limit.
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(std::wstring(400, L'9'), 1, 0, true));
}

TEST(CheckWholeNumber, Range) {
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(L"30", 1, 30, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"31", 1, 30, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"0", 1, 30, true));
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(L"1", 1, 30, true));
  EXPECT_EQ(kEntryAcceptable, CheckWholeNumber(L"86,400", 1, 86400, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"86,401", 1, 86400, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"00031", 1, 30, true));  // leading zeros keep the value
}

TEST(CheckWholeNumber, OrderOfChecks) {
  // The decimal point is found before the minus sign, the minus sign before
  // other characters.
  EXPECT_EQ(kEntryHasDecimal, CheckWholeNumber(L"-1.5", 1, 30, true));
  EXPECT_EQ(kEntryOutOfRange, CheckWholeNumber(L"-abc", 1, 30, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L"1-2", 1, 30, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L"12 ", 1, 30, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L"1e3", 1, 0, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L"+3", 1, 0, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L"\x0663", 1, 0, true));  // a non-ASCII digit
}

TEST(CheckWholeNumber, CommasAloneAreNoNumber) {
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L",", 0, 0, true));
  EXPECT_EQ(kEntryNotWhole, CheckWholeNumber(L",,,", 0, 10, false));
}

TEST(StripCommas, RemovesEveryComma) {
  EXPECT_EQ(L"1200", StripCommas(L"1,200"));
  EXPECT_EQ(L"1234567", StripCommas(L",1,,234,567,"));
  EXPECT_EQ(L"", StripCommas(L""));
  EXPECT_EQ(L"", StripCommas(L",,"));
  EXPECT_EQ(L"a;b. c", StripCommas(L"a;b. c"));
}
