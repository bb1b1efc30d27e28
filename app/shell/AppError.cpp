// Turning a component's failed HRESULT into the application's error.
#include "AppError.h"

#include <cwchar>

namespace torvane {

namespace {

std::wstring SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace

AppError ComponentError(HRESULT hr, const std::wstring& what) {
  // A failed HRESULT has its top bit set, so read as a signed 32-bit
  // number it is always negative; anything else still becomes a component
  // failure (E_UNEXPECTED) rather than a number the log would take for
  // one of the application's own.
  const long number = FAILED(hr) ? static_cast<long>(hr) : static_cast<long>(E_UNEXPECTED);
  wchar_t code[16];
  std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(number));
  std::wstring description = what + L" failed (" + code + L")";
  const std::wstring message = SystemMessage(static_cast<HRESULT>(number));
  if (!message.empty()) description += L": " + message;
  return AppError{number, description};
}

}  // namespace torvane
