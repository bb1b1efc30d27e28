// PortalEventSink: unpacks PortalNotification's four arguments.
#include "PortalEventSink.h"

#include "PortalContract.h"
#include "Tovra2.h"

namespace torvane {

namespace {

// Arguments arrive last-first; each is a 32-bit long, or pointer-sized in
// the 64-bit build, possibly by reference.
bool ArgumentAt(const DISPPARAMS& params, UINT position, LONG_PTR* value) {
  if (position >= params.cArgs) return false;
  VARIANT copy;
  ::VariantInit(&copy);
  const VARTYPE type = sizeof(LONG_PTR) == 8 ? VT_I8 : VT_I4;
  const HRESULT hr = ::VariantChangeType(&copy, &params.rgvarg[params.cArgs - 1 - position], 0, type);
  if (FAILED(hr)) return false;
#ifdef _WIN64
  *value = static_cast<LONG_PTR>(V_I8(&copy));
#else
  *value = static_cast<LONG_PTR>(V_I4(&copy));
#endif
  return true;
}

}  // namespace

HRESULT PortalEventSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID__IVideoPortalEvents) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG PortalEventSink::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG PortalEventSink::Release() {
  const LONG refs = ::InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

HRESULT PortalEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT PortalEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT PortalEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT PortalEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                UINT* argError) {
  if (result) ::VariantInit(result);
  if (id != tovra2::dispid::kPortalNotification) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cArgs != 4) return DISP_E_BADPARAMCOUNT;
  LONG_PTR values[4] = {};
  for (UINT i = 0; i < 4; ++i) {
    if (!ArgumentAt(*params, i, &values[i])) {
      if (argError) *argError = params->cArgs - 1 - i;
      return DISP_E_TYPEMISMATCH;
    }
  }
  if (!receiver_) return S_OK;
  // Keep the sink alive while the receiver runs: a handler may close the
  // control, which releases its reference to us.
  AddRef();
  try {
    receiver_->PortalNotification(static_cast<long>(values[0]), values[1], values[2], values[3]);
  } catch (...) {
    // The handler applies its own error pattern; anything left over stops
    // here rather than unwinding into the control.
  }
  Release();
  return S_OK;
}

}  // namespace torvane
