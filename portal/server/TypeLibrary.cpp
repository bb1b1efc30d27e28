// Loads the type library from the module's own resources.
#include "server/TypeLibrary.h"

#include <oleauto.h>

#include "common/ComPtr.h"
#include "common/Module.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT LoadPortalTypeLib(ITypeLib** typeLib) {
  if (!typeLib) return E_POINTER;
  *typeLib = nullptr;
  const std::wstring path = common::ModuleFileName(ModuleState::Instance());
  if (path.empty()) return E_UNEXPECTED;
  return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib);
}

HRESULT GetPortalTypeInfo(REFGUID guid, ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  common::ComPtr<ITypeLib> typeLib;
  const HRESULT hr = LoadPortalTypeLib(typeLib.put());
  if (FAILED(hr)) return hr;
  return typeLib->GetTypeInfoOfGuid(guid, typeInfo);
}

}  // namespace portal
