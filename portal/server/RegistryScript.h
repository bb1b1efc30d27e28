// The registry script language of the control's REGISTRY resource, parsed
// into a tree before anything is written: roots, nested keys with default
// values, named values (`val`), the key actions NoRemove, ForceRemove and
// Delete, string (`s`) and DWORD (`d`) data, and %NAME% replacements.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace portal::registry {

// What registering and unregistering do with a key.
enum class KeyAction {
  Normal,       // created; on removal deleted once nothing else is left in it
  NoRemove,     // created if missing, never deleted (only descended into)
  ForceRemove,  // deleted whole before it is created, and deleted whole on removal
  Delete,       // deleted whole when registering; ignored when unregistering
};

struct ScriptValue {
  enum class Kind { String, Dword };
  Kind kind = Kind::String;
  std::wstring text;  // Kind::String
  DWORD number = 0;   // Kind::Dword
};

struct NamedValue {
  std::wstring name;
  ScriptValue value;
};

struct ScriptKey {
  std::wstring name;
  KeyAction action = KeyAction::Normal;
  std::optional<ScriptValue> defaultValue;
  std::vector<NamedValue> values;
  std::vector<ScriptKey> subKeys;
};

struct ScriptRoot {
  std::wstring name;  // as written, e.g. "HKCR"
  HKEY key = nullptr;  // the predefined key it names
  std::vector<ScriptKey> keys;
};

struct Script {
  std::vector<ScriptRoot> roots;
};

// Replacement texts by name without the percent signs ("MODULE"); names
// are matched without regard to case.
using Replacements = std::map<std::wstring, std::wstring>;

// Where parsing stopped, for diagnostics.
struct ParseError {
  int line = 0;
  std::wstring message;
};

// The HRESULT of a malformed script.
constexpr HRESULT kScriptSyntaxError = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

// Parses the whole script. On failure returns kScriptSyntaxError, leaves
// *script empty and fills *error when given.
HRESULT ParseRegistryScript(std::wstring_view text, const Replacements& replacements, Script* script,
                            ParseError* error = nullptr);

// Decodes the bytes of a script resource: UTF-16 with byte-order mark,
// UTF-8 (with or without mark), else the ANSI code page.
std::wstring DecodeScriptBytes(const void* data, std::size_t size);

}  // namespace portal::registry
