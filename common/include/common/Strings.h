// Conversions between the interface's wide strings and the ANSI code page
// that engine records and profile files use.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace common {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

// Writes text as a zero-terminated ANSI string into a fixed field of
// fieldSize bytes, cutting it so that the terminator always fits.
void CopyToAnsiField(std::wstring_view text, char* field, std::size_t fieldSize);
void CopyToAnsiField(std::string_view text, char* field, std::size_t fieldSize);

// Reads a zero-terminated ANSI field that may lack its terminator.
std::string AnsiFieldToString(const char* field, std::size_t fieldSize);

// BSTR helpers: a null BSTR is an empty string.
std::wstring BstrToWide(BSTR text);
BSTR AllocBstr(std::wstring_view text);

// Upper-/lower-case in the invariant sense used for file names and keys.
std::wstring ToLower(std::wstring text);
std::string ToLowerAnsi(std::string text);

}  // namespace common
