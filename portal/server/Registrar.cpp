// Writes and removes the keys of a parsed registry script.
#include "server/Registrar.h"

#include "common/HResult.h"
#include "common/Registry.h"
#include "common/UniqueHandle.h"

namespace portal::registry {
namespace {

constexpr REGSAM kKeyAccess = KEY_READ | KEY_WRITE;

HRESULT FromStatus(LSTATUS status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

HRESULT WriteValue(HKEY key, const wchar_t* name, const ScriptValue& value) {
  if (value.kind == ScriptValue::Kind::Dword) return FromStatus(common::WriteRegDword(key, name, value.number));
  return FromStatus(common::WriteRegString(key, name, value.text));
}

HRESULT DeleteTree(HKEY parent, const std::wstring& name) {
  return FromStatus(common::DeleteRegTree(parent, name));
}

HRESULT RegisterKeys(HKEY parent, const std::vector<ScriptKey>& keys);

HRESULT RegisterKey(HKEY parent, const ScriptKey& key) {
  if (key.action == KeyAction::Delete) return DeleteTree(parent, key.name);
  if (key.action == KeyAction::ForceRemove) RETURN_IF_FAILED(DeleteTree(parent, key.name));
  const common::UniqueRegKey opened = common::CreateRegKey(parent, key.name, kKeyAccess);
  if (!opened) return common::LastErrorHResult();
  if (key.defaultValue) RETURN_IF_FAILED(WriteValue(opened.get(), nullptr, *key.defaultValue));
  for (const NamedValue& value : key.values) {
    RETURN_IF_FAILED(WriteValue(opened.get(), value.name.c_str(), value.value));
  }
  return RegisterKeys(opened.get(), key.subKeys);
}

HRESULT RegisterKeys(HKEY parent, const std::vector<ScriptKey>& keys) {
  for (const ScriptKey& key : keys) RETURN_IF_FAILED(RegisterKey(parent, key));
  return S_OK;
}

// Keeps the first failure of a sequence of steps that all run.
void Note(HRESULT* first, HRESULT hr) {
  if (SUCCEEDED(*first) && FAILED(hr)) *first = hr;
}

HRESULT UnregisterKeys(HKEY parent, const std::vector<ScriptKey>& keys);

// True when key holds no sub key and no value except a default value that
// the script itself gave it.
bool OnlyScriptContentLeft(HKEY key, bool scriptSetDefault) {
  DWORD subKeys = 0;
  DWORD values = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  if (scriptSetDefault && values > 0 &&
      ::RegQueryValueExW(key, L"", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    --values;
  }
  return subKeys == 0 && values == 0;
}

HRESULT UnregisterKey(HKEY parent, const ScriptKey& key) {
  if (key.action == KeyAction::Delete) return S_OK;
  if (key.action == KeyAction::ForceRemove) return DeleteTree(parent, key.name);
  common::UniqueRegKey opened = common::OpenRegKey(parent, key.name, kKeyAccess);
  if (!opened) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(error);
  }
  HRESULT result = UnregisterKeys(opened.get(), key.subKeys);
  if (key.action == KeyAction::NoRemove) return result;
  for (const NamedValue& value : key.values) {
    const LSTATUS status = ::RegDeleteValueW(opened.get(), value.name.c_str());
    if (status != ERROR_FILE_NOT_FOUND) Note(&result, FromStatus(status));
  }
  const bool removable = OnlyScriptContentLeft(opened.get(), key.defaultValue.has_value());
  opened.reset();
  if (removable) Note(&result, DeleteTree(parent, key.name));
  return result;
}

HRESULT UnregisterKeys(HKEY parent, const std::vector<ScriptKey>& keys) {
  HRESULT result = S_OK;
  for (const ScriptKey& key : keys) Note(&result, UnregisterKey(parent, key));
  return result;
}

}  // namespace

HRESULT ApplyRegistryScript(const Script& script, RegistrarMode mode, const RootMap& rootMap) {
  HRESULT result = S_OK;
  for (const ScriptRoot& root : script.roots) {
    const HKEY target = rootMap ? rootMap(root.key) : root.key;
    if (!target) return E_INVALIDARG;
    if (mode == RegistrarMode::Register) {
      RETURN_IF_FAILED(RegisterKeys(target, root.keys));
    } else {
      Note(&result, UnregisterKeys(target, root.keys));
    }
  }
  return result;
}

HRESULT RunRegistryScript(std::wstring_view text, const Replacements& replacements, RegistrarMode mode,
                          const RootMap& rootMap) {
  Script script;
  RETURN_IF_FAILED(ParseRegistryScript(text, replacements, &script));
  return ApplyRegistryScript(script, mode, rootMap);
}

}  // namespace portal::registry
