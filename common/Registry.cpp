// Registry helpers.
#include "common/Registry.h"

#include <vector>

namespace common {

UniqueRegKey OpenRegKey(HKEY root, std::wstring_view subKey, REGSAM access) {
  UniqueRegKey key;
  const std::wstring path(subKey);
  const LSTATUS status = ::RegOpenKeyExW(root, path.c_str(), 0, access, key.put());
  if (status != ERROR_SUCCESS) {
    key.reset();
    ::SetLastError(static_cast<DWORD>(status));
  }
  return key;
}

UniqueRegKey CreateRegKey(HKEY root, std::wstring_view subKey, REGSAM access, const wchar_t* keyClass) {
  UniqueRegKey key;
  const std::wstring path(subKey);
  const LSTATUS status = ::RegCreateKeyExW(root, path.c_str(), 0, const_cast<wchar_t*>(keyClass), REG_OPTION_NON_VOLATILE,
                                           access, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) {
    key.reset();
    ::SetLastError(static_cast<DWORD>(status));
  }
  return key;
}

std::optional<std::wstring> ReadRegString(HKEY key, const wchar_t* valueName) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (::RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  buffer.back() = L'\0';
  return std::wstring(buffer.data());
}

std::optional<DWORD> ReadRegDword(HKEY key, const wchar_t* valueName) {
  DWORD type = 0;
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  if (::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

LSTATUS WriteRegString(HKEY key, const wchar_t* valueName, std::wstring_view value) {
  const std::wstring data(value);
  return ::RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

LSTATUS WriteRegDword(HKEY key, const wchar_t* valueName, DWORD value) {
  return ::RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value));
}

LSTATUS DeleteRegTree(HKEY root, std::wstring_view subKey) {
  const std::wstring path(subKey);
  const LSTATUS status = ::RegDeleteTreeW(root, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  // RegDeleteTree empties the key; remove the key itself too.
  const LSTATUS removed = ::RegDeleteKeyW(root, path.c_str());
  return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

HKEY RootKeyFromName(std::wstring_view name) {
  struct Root {
    const wchar_t* longName;
    const wchar_t* shortName;
    HKEY key;
  };
  static const Root roots[] = {
      {L"HKEY_CLASSES_ROOT", L"HKCR", HKEY_CLASSES_ROOT},
      {L"HKEY_CURRENT_USER", L"HKCU", HKEY_CURRENT_USER},
      {L"HKEY_LOCAL_MACHINE", L"HKLM", HKEY_LOCAL_MACHINE},
      {L"HKEY_USERS", L"HKU", HKEY_USERS},
  };
  for (const Root& root : roots) {
    if (name == root.longName || name == root.shortName) return root.key;
  }
  return nullptr;
}

bool SplitRootedPath(std::wstring_view path, HKEY* root, std::wstring* subKey) {
  const std::size_t slash = path.find(L'\\');
  const std::wstring_view rootName = path.substr(0, slash);
  const HKEY key = RootKeyFromName(rootName);
  if (!key) return false;
  *root = key;
  *subKey = slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(slash + 1));
  return true;
}

}  // namespace common
