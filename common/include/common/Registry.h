// Registry helpers over UniqueRegKey: open/create, typed values, deleting
// trees, and root names written out in full ("HKEY_CURRENT_USER\...").
#pragma once

#include "common/UniqueHandle.h"

#include <optional>
#include <string>
#include <string_view>

namespace common {

// Opens an existing key; an invalid key on failure (GetLastError holds why).
UniqueRegKey OpenRegKey(HKEY root, std::wstring_view subKey, REGSAM access = KEY_READ);
// Opens or creates a key; a new key gets keyClass as its class when given.
UniqueRegKey CreateRegKey(HKEY root, std::wstring_view subKey, REGSAM access = KEY_ALL_ACCESS,
                          const wchar_t* keyClass = nullptr);

std::optional<std::wstring> ReadRegString(HKEY key, const wchar_t* valueName);
std::optional<DWORD> ReadRegDword(HKEY key, const wchar_t* valueName);
LSTATUS WriteRegString(HKEY key, const wchar_t* valueName, std::wstring_view value);
LSTATUS WriteRegDword(HKEY key, const wchar_t* valueName, DWORD value);

// Deletes subKey of root with everything below it. Missing keys succeed.
LSTATUS DeleteRegTree(HKEY root, std::wstring_view subKey);

// Maps "HKEY_CURRENT_USER", "HKCU", ... to the predefined key; nullptr if
// the name is not a root name.
HKEY RootKeyFromName(std::wstring_view name);

// Splits "HKEY_CURRENT_USER\Software\X" into its root and the rest.
bool SplitRootedPath(std::wstring_view path, HKEY* root, std::wstring* subKey);

}  // namespace common
