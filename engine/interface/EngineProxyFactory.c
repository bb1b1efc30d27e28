/* The proxy/stub class factory of ICameraEngine, built from the
   widl-generated proxy file without the DLL entry points of a standalone
   proxy DLL: the factory is registered from code (EngineProxy.cpp). */
#include <objbase.h>
#include <rpcproxy.h>

extern const ExtendedProxyFileInfo CameraEngine_ProxyFileInfo;
extern const IID IID_ICameraEngine;

static const ProxyFileInfo* const engineProxyFiles[] = {
    (const ProxyFileInfo*)&CameraEngine_ProxyFileInfo, NULL};

static CStdPSFactoryBuffer engineFactory = {0, 0, 0, 0};

/* The stub vtables of the generated code name this release function; a
   standalone proxy DLL defines it in its dlldata file. */
ULONG WINAPI CStdStubBuffer_Release(IRpcStubBuffer* This) {
  return NdrCStdStubBuffer_Release(This, (IPSFactoryBuffer*)&engineFactory);
}

HRESULT EngineProxyGetClassObject(REFIID riid, void** object) {
  return NdrDllGetClassObject(&IID_ICameraEngine, riid, object,
                              (const ProxyFileInfo**)engineProxyFiles,
                              &IID_ICameraEngine, &engineFactory);
}
