// Registry entries of the engine class.
#include "Registration.h"

#include <string>

#include "common/Module.h"
#include "common/Registry.h"

namespace engine {
namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}";

HKEY Root(bool perUser) { return perUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT; }

std::wstring ClassKey(bool perUser) {
  return perUser ? std::wstring(L"Software\\Classes\\") + kClassKey : std::wstring(kClassKey);
}

}  // namespace

HRESULT RegisterServer(bool perUser) {
  const std::wstring classKey = ClassKey(perUser);
  common::UniqueRegKey key = common::CreateRegKey(Root(perUser), classKey, KEY_WRITE);
  if (!key) return HRESULT_FROM_WIN32(::GetLastError());
  LSTATUS status = common::WriteRegString(key.get(), nullptr, L"Camera Engine");
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  common::UniqueRegKey server =
      common::CreateRegKey(Root(perUser), classKey + L"\\LocalServer32", KEY_WRITE);
  if (!server) return HRESULT_FROM_WIN32(::GetLastError());
  const std::wstring command = L"\"" + common::ModuleFileName(nullptr) + L"\"";
  status = common::WriteRegString(server.get(), nullptr, command);
  return HRESULT_FROM_WIN32(status);
}

HRESULT UnregisterServer(bool perUser) {
  return HRESULT_FROM_WIN32(common::DeleteRegTree(Root(perUser), ClassKey(perUser)));
}

}  // namespace engine
