// OleControl: the interface map of the embedding interfaces and IOleObject,
// the container's first contact with the control (site, verbs, extent,
// advise connections and misc status).
#include "server/OleControl.h"

#include <cstring>
#include <cwchar>

#include "common/HResult.h"
#include "common/UniqueBstr.h"

namespace portal {
namespace {

// SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
// RECOMPOSEONRESIZE: the value registered under MiscStatus\1.
constexpr DWORD kContentMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_RECOMPOSEONRESIZE;
static_assert(kContentMiscStatus == 131473, "registered MiscStatus");

// Copies text into a task-allocated string, as OLE out strings must be.
LPOLESTR TaskStringCopy(const wchar_t* text) {
  const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
  if (copy) std::memcpy(copy, text, bytes);
  return copy;
}

}  // namespace

OleControl::OleControl(const CLSID& classId, SIZEL initialExtent)
    : classId_(classId), extent_(initialExtent), initialExtent_(initialExtent) {}

// The control window belongs to the derived class, which destroys it before
// this destructor runs; only interface references remain to be released.
OleControl::~OleControl() = default;

HRESULT OleControl::QueryOleInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IOleObject) {
    *object = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleInPlaceObjectWindowless || iid == IID_IOleInPlaceObject || iid == IID_IOleWindow) {
    *object = static_cast<IOleInPlaceObjectWindowless*>(this);
  } else if (iid == IID_IOleInPlaceActiveObject) {
    *object = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (iid == IID_IOleControl) {
    *object = static_cast<IOleControl*>(this);
  } else if (iid == IID_IViewObjectEx || iid == IID_IViewObject2 || iid == IID_IViewObject) {
    *object = static_cast<IViewObjectEx*>(this);
  } else if (iid == IID_IPersistStreamInit || iid == IID_IPersist) {
    *object = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IPersistStorage) {
    *object = static_cast<IPersistStorage*>(this);
  } else if (iid == IID_IQuickActivate) {
    *object = static_cast<IQuickActivate*>(this);
  } else if (iid == IID_IDataObject) {
    *object = static_cast<IDataObject*>(this);
  } else if (iid == IID_ISpecifyPropertyPages) {
    *object = static_cast<ISpecifyPropertyPages*>(this);
  } else if (iid == IID_IProvideClassInfo2 || iid == IID_IProvideClassInfo) {
    *object = static_cast<IProvideClassInfo2*>(this);
  } else {
    return E_NOINTERFACE;
  }
  ControlUnknown()->AddRef();
  return S_OK;
}

// --- Site and names ---------------------------------------------------------

HRESULT OleControl::SetClientSite(IOleClientSite* site) {
  clientSite_ = common::ComPtr<IOleClientSite>(site);
  return S_OK;
}

HRESULT OleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  return clientSite_.CopyTo(site);
}

HRESULT OleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT OleControl::Close(DWORD saveOption) {
  // The container may drop its last reference from inside a notification.
  common::ComPtr<IUnknown> keepAlive(ControlUnknown());
  if (dirty_ && clientSite_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
    clientSite_->SaveObject();
  }
  InPlaceDeactivate();
  if (oleAdviseHolder_) oleAdviseHolder_->SendOnClose();
  return S_OK;
}

HRESULT OleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT OleControl::GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) {
  if (!moniker) return E_POINTER;
  *moniker = nullptr;
  if (!clientSite_) return E_UNEXPECTED;
  return clientSite_->GetMoniker(assign, whichMoniker, moniker);
}

HRESULT OleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT OleControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

// --- Verbs ------------------------------------------------------------------

HRESULT OleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND, LPCRECT posRect) {
  common::ComPtr<IUnknown> keepAlive(ControlUnknown());
  IOleClientSite* site = clientSite_ ? clientSite_.get() : activeSite;
  switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(site, posRect);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE: {
      const HRESULT hr = ActivateInPlace(site, posRect);
      return hr == S_OK ? ActivateUserInterface() : hr;
    }
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (window_ && ::IsWindow(window_)) ::ShowWindow(window_, SW_HIDE);
      return S_OK;
    default:
      break;
  }
  if (verb < 0) return E_NOTIMPL;  // open, properties, discard undo state
  // An unknown positive verb runs the primary verb, as OLE prescribes.
  const HRESULT hr = DoVerb(OLEIVERB_PRIMARY, nullptr, activeSite, -1, nullptr, posRect);
  return hr == S_OK ? OLEOBJ_S_INVALIDVERB : hr;
}

HRESULT OleControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (!verbs) return E_POINTER;
  *verbs = nullptr;
  return ::OleRegEnumVerbs(classId_, verbs);
}

HRESULT OleControl::Update() { return S_OK; }

HRESULT OleControl::IsUpToDate() { return S_OK; }

// --- Class and type ---------------------------------------------------------------

HRESULT OleControl::GetUserClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = classId_;
  return S_OK;
}

HRESULT OleControl::GetUserType(DWORD formOfType, LPOLESTR* userType) {
  if (!userType) return E_POINTER;
  *userType = nullptr;
  if (SUCCEEDED(::OleRegGetUserType(classId_, formOfType, userType)) && *userType) return S_OK;
  // Not registered (or no name there): the coclass description from the
  // type library is the same text the registration writes.
  return DescribeUserType(userType);
}

HRESULT OleControl::DescribeUserType(LPOLESTR* userType) {
  common::ComPtr<ITypeInfo> typeInfo;
  RETURN_IF_FAILED(GetClassTypeInfo(typeInfo.put()));
  common::UniqueBstr name;
  common::UniqueBstr description;
  RETURN_IF_FAILED(typeInfo->GetDocumentation(MEMBERID_NIL, name.put(), description.put(), nullptr, nullptr));
  const wchar_t* text = description && *description.get() ? description.get() : (name ? name.get() : L"");
  *userType = TaskStringCopy(text);
  return *userType ? S_OK : E_OUTOFMEMORY;
}

HRESULT OleControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kContentMiscStatus : 0;
  return S_OK;
}

HRESULT OleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// --- Extent -----------------------------------------------------------------

HRESULT OleControl::SetExtent(DWORD drawAspect, SIZEL* size) {
  if (drawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
  if (size->cx != extent_.cx || size->cy != extent_.cy) {
    extent_ = *size;
    dirty_ = true;
    NotifyViewChange();
  }
  return S_OK;
}

HRESULT OleControl::GetExtent(DWORD drawAspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (drawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = extent_;
  return S_OK;
}

// --- Advise connections -------------------------------------------------------

HRESULT OleControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!connection) return E_POINTER;
  *connection = 0;
  if (!sink) return E_INVALIDARG;
  if (!oleAdviseHolder_) RETURN_IF_FAILED(::CreateOleAdviseHolder(oleAdviseHolder_.put()));
  return oleAdviseHolder_->Advise(sink, connection);
}

HRESULT OleControl::Unadvise(DWORD connection) {
  if (!oleAdviseHolder_) return OLE_E_NOCONNECTION;
  return oleAdviseHolder_->Unadvise(connection);
}

HRESULT OleControl::EnumAdvise(IEnumSTATDATA** advise) {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  if (!oleAdviseHolder_) RETURN_IF_FAILED(::CreateOleAdviseHolder(oleAdviseHolder_.put()));
  return oleAdviseHolder_->EnumAdvise(advise);
}

}  // namespace portal
