// The system's text for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace common {

// FormatMessage's text for code in the given language (0: the system's
// choice), without its trailing line break; empty when the system has none.
std::wstring SystemMessage(DWORD code, DWORD languageId = 0);

}  // namespace common
