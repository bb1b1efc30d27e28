// Self-registration exports of Tovra2.dll. DllRegisterServer and
// DllUnregisterServer write the class for all users (HKEY_CLASSES_ROOT);
// DllInstall with the command line "user" does the same for the current
// user only (HKEY_CURRENT_USER\Software\Classes), which an ordinary user
// may write:  regsvr32 /n /i:user Tovra2.dll  and  regsvr32 /u /n /i:user Tovra2.dll
#include <windows.h>

#include <oleauto.h>

#include <string>

#include "common/ComPtr.h"
#include "common/HResult.h"
#include "common/Module.h"
#include "common/Registry.h"
#include "common/UniqueBstr.h"
#include "server/ModuleState.h"
#include "server/Registrar.h"
#include "server/TypeLibrary.h"
#include "resource.h"

// Exported by oleaut32 (and in MinGW's import library) but not declared
// in MinGW's oleauto.h.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* typeLib, OLECHAR* path, OLECHAR* helpDir);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor, LCID lcid,
                                                   SYSKIND sysKind);

namespace {

using portal::registry::RegistrarMode;

enum class Scope { Machine, User };

constexpr wchar_t kUserClassesKey[] = L"Software\\Classes";

HRESULT LoadScriptText(std::wstring* text) {
  const HMODULE module = portal::ModuleState::Instance();
  const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_REGISTRY), L"REGISTRY");
  if (!resource) return common::LastErrorHResult();
  const HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return common::LastErrorHResult();
  *text = portal::registry::DecodeScriptBytes(data, ::SizeofResource(module, resource));
  return S_OK;
}

HRESULT RunScript(RegistrarMode mode, Scope scope) {
  std::wstring text;
  RETURN_IF_FAILED(LoadScriptText(&text));
  const std::wstring modulePath = common::ModuleFileName(portal::ModuleState::Instance());
  if (modulePath.empty()) return common::LastErrorHResult();
  const portal::registry::Replacements replacements = {{L"MODULE", modulePath}};
  if (scope == Scope::Machine) return portal::registry::RunRegistryScript(text, replacements, mode);

  const common::UniqueRegKey userClasses = common::CreateRegKey(HKEY_CURRENT_USER, kUserClassesKey);
  if (!userClasses) return common::LastErrorHResult();
  const auto perUser = [&](HKEY root) { return root == HKEY_CLASSES_ROOT ? userClasses.get() : root; };
  return portal::registry::RunRegistryScript(text, replacements, mode, perUser);
}

HRESULT RegisterTypeLibrary(Scope scope) {
  common::ComPtr<ITypeLib> typeLib;
  RETURN_IF_FAILED(portal::LoadPortalTypeLib(typeLib.put()));
  std::wstring path = common::ModuleFileName(portal::ModuleState::Instance());
  if (scope == Scope::User) return ::RegisterTypeLibForUser(typeLib.get(), path.data(), nullptr);
  return ::RegisterTypeLib(typeLib.get(), path.data(), nullptr);
}

HRESULT UnregisterTypeLibrary(Scope scope) {
  common::ComPtr<ITypeLib> typeLib;
  RETURN_IF_FAILED(portal::LoadPortalTypeLib(typeLib.put()));
  TLIBATTR* attributes = nullptr;
  RETURN_IF_FAILED(typeLib->GetLibAttr(&attributes));
  const TLIBATTR attr = *attributes;
  typeLib->ReleaseTLibAttr(attributes);
  // Removing what is not registered is not a failure (the system calls
  // answer it with differing errors).
  common::UniqueBstr registeredPath;
  if (FAILED(::QueryPathOfRegTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid,
                                     registeredPath.put()))) {
    return S_OK;
  }
  return scope == Scope::User
             ? ::UnRegisterTypeLibForUser(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind)
             : ::UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind);
}

HRESULT Register(Scope scope) {
  RETURN_IF_FAILED(RunScript(RegistrarMode::Register, scope));
  return RegisterTypeLibrary(scope);
}

// Removes as much as it can and reports the first failure.
HRESULT Unregister(Scope scope) {
  const HRESULT typeLibResult = UnregisterTypeLibrary(scope);
  const HRESULT scriptResult = RunScript(RegistrarMode::Unregister, scope);
  return FAILED(scriptResult) ? scriptResult : typeLibResult;
}

bool IsUserCommand(LPCWSTR commandLine) {
  return commandLine && ::CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

STDAPI DllRegisterServer() { return Register(Scope::Machine); }

STDAPI DllUnregisterServer() { return Unregister(Scope::Machine); }

// regsvr32 /i:<command> calls DllInstall(TRUE, command); with /u,
// DllInstall(FALSE, command). "user" selects per-user registration; an
// empty command registers for all users like DllRegisterServer.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  Scope scope = Scope::Machine;
  if (IsUserCommand(commandLine)) {
    scope = Scope::User;
  } else if (commandLine && *commandLine) {
    return E_INVALIDARG;
  }
  return install ? Register(scope) : Unregister(scope);
}
