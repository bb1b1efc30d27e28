// Value syntax of the definition files.
#include "ui/DefinitionValues.h"

#include <cwchar>
#include <cwctype>

namespace portal::skin {
namespace {

constexpr LCID kEnglishUnitedStates = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

// Reads one hexadecimal number after optional blanks; false when none.
bool ReadHex(std::wstring_view text, std::size_t* pos, unsigned long* value) {
  while (*pos < text.size() && std::iswspace(text[*pos])) ++*pos;
  // Like scanf's %x, an 0x prefix is allowed.
  if (*pos + 2 < text.size() && text[*pos] == L'0' && (text[*pos + 1] == L'x' || text[*pos + 1] == L'X') &&
      std::iswxdigit(text[*pos + 2])) {
    *pos += 2;
  }
  const std::size_t start = *pos;
  unsigned long result = 0;
  while (*pos < text.size() && std::iswxdigit(text[*pos])) {
    const wchar_t c = static_cast<wchar_t>(std::towlower(text[*pos]));
    result = result * 16 + static_cast<unsigned long>(c <= L'9' ? c - L'0' : c - L'a' + 10);
    ++*pos;
  }
  *value = result;
  return *pos > start;
}

}  // namespace

ResolvedValue ResolveValue(const std::wstring& key, const RawLookup& raw) {
  ResolvedValue result;
  result.text = raw(key);
  if (!result.text.empty() && result.text[0] == L'*') result.text = raw(result.text);
  if (result.text.empty()) {
    result.state = Lookup::Missing;
  } else if (IsNoneValue(result.text)) {
    result.state = Lookup::NoValue;
  } else {
    result.state = Lookup::Found;
  }
  return result;
}

bool IsNoneValue(std::wstring_view text) {
  static constexpr wchar_t kNone[] = L"<none>";
  return ::CompareStringW(kEnglishUnitedStates, NORM_IGNORECASE, text.data(), static_cast<int>(text.size()),
                          kNone, -1) == CSTR_EQUAL;
}

std::optional<COLORREF> ParseColor(std::wstring_view text) {
  unsigned long parts[3] = {};
  std::size_t pos = 0;
  for (unsigned long& part : parts) {
    if (!ReadHex(text, &pos, &part)) return std::nullopt;
  }
  return static_cast<COLORREF>(parts[0] + 256 * parts[1] + 65536 * parts[2]);
}

ImageLocation ParseImageLocation(std::wstring_view text) {
  ImageLocation location;
  location.file = std::wstring(text);
  const std::size_t comma = text.rfind(L',');
  if (comma == std::wstring_view::npos) return location;
  const std::wstring indexText(text.substr(comma + 1));
  wchar_t* end = nullptr;
  const long index = std::wcstol(indexText.c_str(), &end, 10);
  if (end == indexText.c_str()) return location;  // no number: part of the file name
  while (*end && std::iswspace(*end)) ++end;
  if (*end) return location;
  location.resourceIndex = static_cast<int>(index);
  std::wstring file(text.substr(0, comma));
  while (!file.empty() && std::iswspace(file.back())) file.pop_back();
  location.file = std::move(file);
  return location;
}

bool IsFullPath(std::wstring_view path) {
  if (path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) {
    return true;
  }
  return path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/');
}

std::wstring ResolveAgainst(const std::wstring& directory, const std::wstring& path) {
  if (IsFullPath(path)) return path;
  return directory + path;
}

}  // namespace portal::skin
