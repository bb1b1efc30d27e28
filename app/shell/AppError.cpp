// Turning a component's failed HRESULT into the application's error.
#include "AppError.h"

#include <cwchar>

#include "common/SystemMessage.h"

namespace torvane {

namespace {

std::wstring SystemMessage(HRESULT hr) {
  std::wstring text = common::SystemMessage(static_cast<DWORD>(hr));
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
