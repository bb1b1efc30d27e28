// Loads Tovra2.dll once per test process; it stays loaded until exit so
// that no control outlives its code.
#include "PortalLibrary.h"

#include <string>

#include "Tovra2.h"
#include "common/UniqueHandle.h"

namespace portal_test {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

}  // namespace

std::wstring PortalLibraryPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + L"Tovra2.dll";
}

namespace {

HMODULE PortalModule() {
  static common::UniqueModule module(::LoadLibraryW(PortalLibraryPath().c_str()));
  return module.get();
}

}  // namespace

common::ComPtr<IClassFactory> PortalClassFactory() {
  common::ComPtr<IClassFactory> factory;
  HMODULE module = PortalModule();
  if (!module) {
    ADD_FAILURE() << "Tovra2.dll not loaded, error " << ::GetLastError();
    return factory;
  }
  auto getClassObject =
      reinterpret_cast<GetClassObjectFunction>(reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  if (!getClassObject) {
    ADD_FAILURE() << "DllGetClassObject not exported";
    return factory;
  }
  EXPECT_EQ(S_OK, getClassObject(CLSID_VideoPortal, IID_IClassFactory, factory.put_void()));
  return factory;
}

}  // namespace portal_test
