// Value syntax of the OEM and skin definition files, apart from the files
// themselves: `*` indirection, the "<none>" marker, colours, image
// locations and relative paths. The profile reader feeds it raw values.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace portal::skin {

// Values are read into 256 characters: at most 255 are significant.
constexpr std::size_t kValueBufferChars = 256;

// Result of a lookup, as the readers report it.
enum class Lookup : int {
  Missing = 0,   // no key, or an empty value
  Found = 1,
  NoValue = -1,  // the key says "<none>"
};

// Reads one key of the section being looked at; a missing key is "".
using RawLookup = std::function<std::wstring(const std::wstring& key)>;

struct ResolvedValue {
  Lookup state = Lookup::Missing;
  std::wstring text;  // the value after indirection
};

// Reads key through raw; a value starting with '*' is the name of another
// key (the '*' included) whose value is used instead, one level only.
ResolvedValue ResolveValue(const std::wstring& key, const RawLookup& raw);

// "<none>" in any case (English, United States comparison).
bool IsNoneValue(std::wstring_view text);

// "rr gg bb": three hexadecimal numbers separated by blanks; the colour is
// red + 256 * green + 65536 * blue. Nothing when the text has fewer than
// three numbers.
std::optional<COLORREF> ParseColor(std::wstring_view text);

// "file" or "file,index": a picture file, or resource index of a module.
struct ImageLocation {
  std::wstring file;
  std::optional<int> resourceIndex;
};
ImageLocation ParseImageLocation(std::wstring_view text);

// True for "C:\..." and "\\server\..." paths, which are used as they are.
bool IsFullPath(std::wstring_view path);

// path itself when it is a full path, else directory (with its trailing
// backslash) followed by path.
std::wstring ResolveAgainst(const std::wstring& directory, const std::wstring& path);

}  // namespace portal::skin
