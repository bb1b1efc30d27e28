// The recording dialog's rules.
#include "PopUpRules.h"

#include <cmath>

#include "ThousandsFormat.h"

namespace torvane {

const wchar_t kStartFailureMessage[] =
    L"The camera has reported an error while trying to record this movie.\r\n\r\n"
    L"The problem is likely to be that not enough disc space or memory is available.\r\n\r\n"
    L"Please close all other applications,  re-start Torvane and try again!";

int PopUpButtonForKey(wchar_t key, bool button1Visible) {
  switch (key) {
    case L'B': case L'S': case L'Y':
    case L'b': case L's': case L'y':
      return 0;
    case L'C': case L'N':
    case L'c': case L'n':
      return button1Visible ? 1 : -1;
    default:
      return -1;
  }
}

int EnterTargetPosition(int position) { return position >= 0 && position <= 2 ? position + 1 : 0; }

std::wstring SecondsText(const std::optional<double>& seconds) {
  if (!seconds) return std::wstring();
  return std::to_wstring(static_cast<long long>(std::floor(*seconds)));
}

std::wstring EstimatedSizeText(double elapsedSeconds) {
  return L"Size of movie file: " + FormatThousands(elapsedSeconds * 313.233) + L" kb";
}

std::wstring RecordedSizeText(long long bytes) {
  return L"Size of movie file: " + FormatThousands(static_cast<double>(bytes) / 1024.0) + L" kb";
}

std::wstring TimeOfDayText(const SYSTEMTIME& time) {
  wchar_t text[80] = {};
  if (::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 80) == 0) return std::wstring();
  return text;
}

}  // namespace torvane
