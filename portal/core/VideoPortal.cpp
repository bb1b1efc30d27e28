// VideoPortal: identity, dispatch and connection points.
#include "core/VideoPortal.h"

#include <olectl.h>

#include <new>

#include "PortalContract.h"
#include "common/HResult.h"
#include "common/Strings.h"
#include "core/Enumerator.h"
#include "server/ModuleState.h"
#include "server/TypeLibrary.h"

namespace portal {
namespace {

// The initial extent: the default preview size (320 x 240 pixels at 96
// pixels per inch) in HIMETRIC.
constexpr SIZEL kInitialExtent = {8467, 6350};

}  // namespace

HRESULT VideoPortal::Create(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* portal = new (std::nothrow) VideoPortal();
  RETURN_IF_NULL_ALLOC(portal);
  const HRESULT hr = portal->QueryInterface(iid, object);
  portal->Release();
  return hr;
}

VideoPortal::VideoPortal()
    : OleControl(CLSID_VideoPortal, kInitialExtent),
      window_(*this),
      session_(*this, *this),
      pictures_(session_, *this),
      indexedPictures_(session_),
      moviePostProcessor_([this] { return window_.Handle(); }),
      movies_(session_, *this, *this, bar_, moviePostProcessor_),
      hook_(session_, *this),
      statusTimer_(*this),
      barWindow_(*this, session_.Preview()),
      bar_({session_, *this, menus_, barWindow_, statusTimer_, {}, {}}),
      launchers_({session_, bar_, *this, *this}),
      resolutionMenu_({session_, hook_, bar_, menus_, *this, *this}),
      cameraMenu_({session_, launchers_, bar_, menus_, *this, *this}),
      dialogs_(session_, launchers_),
      router_({session_, movies_, hook_, bar_, resolutionMenu_, cameraMenu_, launchers_, *this, *this, &statusTimer_}),
      defaultEvents_(this, DIID__IVideoPortalEvents),
      secondEvents_(this, DIID_DIVideoPortalEvents) {
  barWindow_.SetClickHandler([this](const controls::PaneRecord& pane, UINT message, const RECT& rect) {
    bar_.OnPaneMouse(pane, message, rect);
  });
  ModuleState::ObjectCreated();
}

VideoPortal::~VideoPortal() {
  window_.Destroy();
  ModuleState::ObjectDestroyed();
}

HRESULT VideoPortal::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IVideoPortal ||
      iid == IID_IVideoPortalEarlyBound) {
    *object = static_cast<IVideoPortalEarlyBound*>(this);
  } else if (iid == IID_IConnectionPointContainer) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else {
    return QueryOleInterface(iid, object);
  }
  AddRef();
  return S_OK;
}

ULONG VideoPortal::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG VideoPortal::Release() {
  const ULONG refs = ::InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return refs;
}

HRESULT VideoPortal::Result(LONG* plResult, bool success) {
  if (plResult) *plResult = success ? 1 : 0;
  return success ? S_OK : S_FALSE;
}

HRESULT VideoPortal::StringOut(BSTR* out, const std::wstring& text) {
  if (!out) return E_POINTER;
  *out = common::AllocBstr(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

// --- IDispatch ------------------------------------------------------------

HRESULT VideoPortal::DispatchTypeInfo(ITypeInfo** typeInfo) {
  if (!dispatchTypeInfo_) RETURN_IF_FAILED(GetPortalTypeInfo(IID_IVideoPortal, dispatchTypeInfo_.put()));
  return dispatchTypeInfo_.CopyTo(typeInfo);
}

HRESULT VideoPortal::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT VideoPortal::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return DispatchTypeInfo(typeInfo);
}

HRESULT VideoPortal::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  common::ComPtr<ITypeInfo> typeInfo;
  RETURN_IF_FAILED(DispatchTypeInfo(typeInfo.put()));
  return ::DispGetIDsOfNames(typeInfo.get(), names, count, ids);
}

HRESULT VideoPortal::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* exception, UINT* argError) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  common::ComPtr<ITypeInfo> typeInfo;
  RETURN_IF_FAILED(DispatchTypeInfo(typeInfo.put()));
  return ::DispInvoke(static_cast<IVideoPortal*>(this), typeInfo.get(), id, flags, params, result, exception,
                      argError);
}

// --- Connection points ------------------------------------------------------

HRESULT VideoPortal::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (!points) return E_POINTER;
  *points = new (std::nothrow) PointEnumerator({&defaultEvents_, &secondEvents_});
  return *points ? S_OK : E_OUTOFMEMORY;
}

HRESULT VideoPortal::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid == defaultEvents_.Iid()) {
    *point = &defaultEvents_;
  } else if (iid == secondEvents_.Iid()) {
    *point = &secondEvents_;
  } else {
    return CONNECT_E_NOCONNECTION;
  }
  (*point)->AddRef();
  return S_OK;
}

HRESULT VideoPortal::AdviseDefaultSource(IUnknown* sink, DWORD* cookie) {
  return defaultEvents_.Advise(sink, cookie);
}

void VideoPortal::Notify(LONG code, LONG_PTR param1, LONG_PTR param2, LONG_PTR param3) {
  // A sink may release the control from inside its handler.
  common::ComPtr<IUnknown> keepAlive(ControlUnknown());
  VARIANTARG args[4];
  const LONG_PTR values[3] = {param3, param2, param1};  // arguments travel last first
  for (int i = 0; i < 3; ++i) {
    ::VariantInit(&args[i]);
#ifdef _WIN64
    V_VT(&args[i]) = VT_I8;
    V_I8(&args[i]) = values[i];
#else
    V_VT(&args[i]) = VT_I4;
    V_I4(&args[i]) = values[i];
#endif
  }
  ::VariantInit(&args[3]);
  V_VT(&args[3]) = VT_I4;
  V_I4(&args[3]) = code;
  for (ConnectionPoint* point : {&defaultEvents_, &secondEvents_}) {
    for (const common::ComPtr<IDispatch>& sink : point->Sinks()) {
      DISPPARAMS params = {args, nullptr, 4, 0};
      sink->Invoke(tovra2::dispid::kPortalNotification, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                   nullptr, nullptr, nullptr);
    }
  }
}

// --- OleControl hooks and the window ---------------------------------------------

HRESULT VideoPortal::GetClassTypeInfo(ITypeInfo** typeInfo) {
  return GetPortalTypeInfo(CLSID_VideoPortal, typeInfo);
}

}  // namespace portal
