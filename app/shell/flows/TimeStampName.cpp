// Time-stamped file names.
#include "TimeStampName.h"

#include <cwchar>

namespace torvane {

std::wstring TimeStamp(const SYSTEMTIME& t) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04u%02u%02u%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

std::wstring TimeStampedFileName(const std::wstring& folder, const std::wstring& prefix,
                                 const SYSTEMTIME& localTime, const std::wstring& extension) {
  // An empty folder gives "\..." on purpose: the root of the current drive.
  return folder + L"\\" + prefix + TimeStamp(localTime) + extension;
}

}  // namespace torvane
