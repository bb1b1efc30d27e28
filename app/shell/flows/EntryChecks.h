// Entry checks shared by every input form: CheckWholeNumber tells whether a
// typed text is an acceptable whole number, StripCommas drops the
// thousands separators users may type.
#pragma once

#include <string>

namespace torvane {

// Codes of CheckWholeNumber.
enum : short {
  kEntryAcceptable = 0,   // or empty and not required
  kEntryMissing = 1,      // empty but required
  kEntryNotWhole = 2,     // a character other than 0-9 after commas are removed
  kEntryOutOfRange = 3,   // out of range, or begins with "-"
  kEntryHasDecimal = 4,   // contains "."
};

// max <= 0 means no upper limit.
short CheckWholeNumber(const std::wstring& text, short min, long max, bool required);

std::wstring StripCommas(const std::wstring& text);

// The value of a text CheckWholeNumber accepted (commas removed), as a
// floating-point number; 0 for an empty text.
double WholeNumberValue(const std::wstring& text);

// An accepted text as the 16-bit field it is stored in; error 6 (overflow)
// when it does not fit, as a check without upper limit lets it pass.
short WholeNumberToShort(const std::wstring& text);

}  // namespace torvane
