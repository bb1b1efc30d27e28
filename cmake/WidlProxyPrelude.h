/* Forced include for widl-generated proxy/stub C files: MinGW declares the
   IUnknown proxy helpers (exported by rpcrt4) for C++ only. */
#ifndef TORVANE_WIDL_PROXY_PRELUDE_H
#define TORVANE_WIDL_PROXY_PRELUDE_H
#ifndef __cplusplus
#include <objbase.h>
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid, void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);
#endif
#endif
