// ANSI/wide conversion and fixed-field copies.
#include "common/Strings.h"

#include <oleauto.h>

#include <algorithm>
#include <cstring>

namespace common {

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(std::max(needed, 0)), '\0');
  if (needed > 0) {
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
  }
  return result;
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(std::max(needed, 0)), L'\0');
  if (needed > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), needed);
  return result;
}

void CopyToAnsiField(std::string_view text, char* field, std::size_t fieldSize) {
  if (!field || fieldSize == 0) return;
  const std::size_t count = std::min(text.size(), fieldSize - 1);
  std::memcpy(field, text.data(), count);
  std::memset(field + count, 0, fieldSize - count);
}

void CopyToAnsiField(std::wstring_view text, char* field, std::size_t fieldSize) {
  CopyToAnsiField(std::string_view(WideToAnsi(text)), field, fieldSize);
}

std::string AnsiFieldToString(const char* field, std::size_t fieldSize) {
  if (!field) return {};
  const void* end = std::memchr(field, 0, fieldSize);
  const std::size_t length = end ? static_cast<const char*>(end) - field : fieldSize;
  return std::string(field, length);
}

std::wstring BstrToWide(BSTR text) {
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

BSTR AllocBstr(std::wstring_view text) {
  return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

std::wstring ToLower(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string ToLowerAnsi(std::string text) {
  if (!text.empty()) ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace common
