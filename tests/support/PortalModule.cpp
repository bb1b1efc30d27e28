// Loads Tovra2.dll beside the test and creates controls through it.
#include "PortalModule.h"

#include "common/Module.h"

namespace testing_support {

std::wstring TestBinDirectory() { return common::ModuleDirectory(nullptr); }

PortalModule::PortalModule()
    : module_(::LoadLibraryW((TestBinDirectory() + L"Tovra2.dll").c_str())) {}

HRESULT PortalModule::CreateControl(REFIID iid, void** object) const {
  *object = nullptr;
  if (!module_) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject =
      reinterpret_cast<GetClassObject>(::GetProcAddress(module_.get(), "DllGetClassObject"));
  if (!getClassObject) return E_NOINTERFACE;
  // CLSID of VideoPortal.
  static const CLSID kClsid = {0xFD81BC84, 0x8AFA, 0x46EE, {0xBF, 0xFA, 0xBD, 0x9B, 0xBA, 0x5B, 0x3C, 0x34}};
  common::ComPtr<IClassFactory> factory;
  HRESULT hr = getClassObject(kClsid, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, iid, object);
}

}  // namespace testing_support
