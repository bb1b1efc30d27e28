// The engine's class object.
#include "ClassFactory.h"

#include "EngineObject.h"
#include "ServerLifetime.h"

namespace engine {

HRESULT ClassFactory::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (ServerLifetime::Ending()) return CO_E_SERVER_STOPPING;
  try {
    return EngineObject::Create(riid, object);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  ServerLifetime::Lock(lock != FALSE);
  return S_OK;
}

}  // namespace engine
