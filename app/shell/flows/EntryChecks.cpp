// Whole-number entry checks.
#include "EntryChecks.h"

#include <cwchar>

#include "AppError.h"

namespace torvane {

namespace {

bool OnlyDigits(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;  // ASCII digits only, spaces refused
  }
  return true;
}

}  // namespace

short CheckWholeNumber(const std::wstring& text, short min, long max, bool required) {
  if (text.empty()) return required ? kEntryMissing : kEntryAcceptable;
  if (text.find(L'.') != std::wstring::npos) return kEntryHasDecimal;
  if (text[0] == L'-') return kEntryOutOfRange;
  const std::wstring digits = StripCommas(text);
  // Commas alone leave no number at all: the callers' conversion would fail
  // on it, so it is refused here like any other non-number.
  if (digits.empty() || !OnlyDigits(digits)) return kEntryNotWhole;
  // Compared as a floating-point value, so a long digit string never
  // overflows the check (it may still not fit the caller's field).
  const double value = WholeNumberValue(digits);
  if (value < min) return kEntryOutOfRange;
  if (max > 0 && value > max) return kEntryOutOfRange;
  return kEntryAcceptable;
}

std::wstring StripCommas(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t c : text) {
    if (c != L',') result += c;
  }
  return result;
}

double WholeNumberValue(const std::wstring& text) {
  return std::wcstod(StripCommas(text).c_str(), nullptr);
}

short WholeNumberToShort(const std::wstring& text) {
  const double value = WholeNumberValue(text);
  if (value > 32767.0 || value < -32768.0) throw AppError{6, L"Overflow"};
  return static_cast<short>(value);
}

}  // namespace torvane
