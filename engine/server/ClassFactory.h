// The engine's class object, registered for CLSCTX_LOCAL_SERVER. Its
// QueryInterface answers only IUnknown and IClassFactory (anything else
// confuses COM's activation of local servers).
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace engine {

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // static lifetime
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

}  // namespace engine
