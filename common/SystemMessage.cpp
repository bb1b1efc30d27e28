// The system's text for an error code.
#include "common/SystemMessage.h"

#include "common/UniqueHandle.h"

namespace common {

std::wstring SystemMessage(DWORD code, DWORD languageId) {
  UniqueLocalText buffer;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      languageId, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
  if (length == 0 || !buffer) return {};
  std::wstring text(buffer.get(), length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return text;
}

}  // namespace common
