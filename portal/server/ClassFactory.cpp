// The class factory of the VideoPortal class. Outstanding factories count
// as objects so that DllCanUnloadNow keeps the module while one is held.
#include "server/ClassFactory.h"

#include "core/VideoPortal.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ClassFactory::ClassFactory() { ModuleState::ObjectCreated(); }
ClassFactory::~ClassFactory() { ModuleState::ObjectDestroyed(); }

ULONG ClassFactory::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG ClassFactory::Release() {
  const ULONG refs = ::InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return refs;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  return VideoPortal::Create(outer, iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ModuleState::Lock();
  } else {
    ModuleState::Unlock();
  }
  return S_OK;
}

}  // namespace portal
