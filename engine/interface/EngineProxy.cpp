// Registers the ICameraEngine proxy/stub factory in the calling apartment.
#include "EngineProxy.h"

#include <objbase.h>

#include "CameraEngine.h"
#include "common/ComPtr.h"

extern "C" HRESULT EngineProxyGetClassObject(REFIID riid, void** object);

namespace {

// True when this apartment (or the registry) already resolves the
// interface to a proxy/stub factory.
bool AlreadyAvailable() {
  CLSID psClsid{};
  if (FAILED(::CoGetPSClsid(IID_ICameraEngine, &psClsid))) return false;
  common::ComPtr<IUnknown> factory;
  return SUCCEEDED(::CoGetClassObject(psClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown,
                                      factory.put_void()));
}

}  // namespace

HRESULT RegisterEngineProxyStub() {
  if (AlreadyAvailable()) return S_OK;
  common::ComPtr<IUnknown> factory;
  HRESULT hr = EngineProxyGetClassObject(IID_IUnknown, factory.put_void());
  if (FAILED(hr)) return hr;
  // The registration lives as long as the apartment; COM revokes it when
  // the apartment is uninitialised, so the cookie is not kept. COM now
  // holds code of this module, which therefore must never be unloaded
  // (a DLL client could otherwise be freed while the apartment lives on).
  DWORD cookie = 0;
  hr = ::CoRegisterClassObject(IID_ICameraEngine, factory.get(), CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &cookie);
  if (FAILED(hr)) return hr;
  HMODULE pinned = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&RegisterEngineProxyStub), &pinned);
  return ::CoRegisterPSClsid(IID_ICameraEngine, IID_ICameraEngine);
}
