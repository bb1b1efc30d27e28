// Defaults of the flows' context.
#include "FlowContext.h"

namespace torvane {

namespace {

std::wstring TemporaryFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  std::wstring path = (length > 0 && length <= MAX_PATH) ? std::wstring(folder, length) : std::wstring(L"c:\\");
  if (path.back() != L'\\') path += L'\\';
  return path + name;
}

}  // namespace

std::wstring TemporaryPicturePath() { return TemporaryFile(L"pic.tmp"); }

std::wstring TemporaryMoviePath() { return TemporaryFile(L"pic.avi"); }

SYSTEMTIME LocalTimeNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return now;
}

}  // namespace torvane
