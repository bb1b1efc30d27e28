// OleControl: the picture side (IViewObjectEx), quick activation, the empty
// data object, property pages and class information.
#include "server/OleControl.h"

#include <cstddef>

#include "common/HResult.h"

namespace portal {
namespace {

constexpr DWORD kViewStatus = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;

// The part of QACONTAINER every container fills: up to the event sink.
constexpr ULONG kMinimumQaContainerSize = offsetof(QACONTAINER, dwAmbientFlags);

}  // namespace

void OleControl::NotifyViewChange() {
  if (!viewAdviseSink_ || !(viewAdviseAspects_ & DVASPECT_CONTENT)) return;
  common::ComPtr<IAdviseSink> sink = viewAdviseSink_;
  if (viewAdviseFlags_ & ADVF_ONLYONCE) viewAdviseSink_.reset();
  sink->OnViewChange(DVASPECT_CONTENT, -1);
}

// --- IViewObject ----------------------------------------------------------------

HRESULT OleControl::Draw(DWORD drawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc, LPCRECTL bounds,
                         LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (drawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!drawDc || !bounds) return E_INVALIDARG;
  const RECT rect = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  DrawContent(drawDc, rect);
  return S_OK;
}

HRESULT OleControl::GetColorSet(DWORD drawAspect, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colorSet) {
  if (!colorSet) return E_POINTER;
  *colorSet = nullptr;
  // S_FALSE: the picture needs no particular palette.
  return drawAspect == DVASPECT_CONTENT ? S_FALSE : DV_E_DVASPECT;
}

HRESULT OleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

HRESULT OleControl::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT OleControl::SetAdvise(DWORD aspects, DWORD adviseFlags, IAdviseSink* sink) {
  viewAdviseSink_ = common::ComPtr<IAdviseSink>(sink);
  viewAdviseAspects_ = sink ? aspects : 0;
  viewAdviseFlags_ = sink ? adviseFlags : 0;
  if (sink && (adviseFlags & ADVF_PRIMEFIRST)) NotifyViewChange();
  return S_OK;
}

HRESULT OleControl::GetAdvise(DWORD* aspects, DWORD* adviseFlags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAdviseAspects_;
  if (adviseFlags) *adviseFlags = viewAdviseFlags_;
  if (sink) viewAdviseSink_.CopyTo(sink);
  return S_OK;
}

// --- IViewObject2 / IViewObjectEx --------------------------------------------------

HRESULT OleControl::GetExtent(DWORD drawAspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(drawAspect, size);
}

HRESULT OleControl::GetRect(DWORD, LPRECTL rect) {
  if (!rect) return E_POINTER;
  return E_NOTIMPL;
}

HRESULT OleControl::GetViewStatus(DWORD* status) {
  if (!status) return E_POINTER;
  *status = kViewStatus;
  return S_OK;
}

// The control is opaque and rectangular: a point or rectangle hits it
// exactly when it lies within its bounds.
HRESULT OleControl::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* hitResult) {
  if (!bounds || !hitResult) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *hitResult = ::PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
  return S_OK;
}

HRESULT OleControl::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG, DWORD* hitResult) {
  if (!bounds || !location || !hitResult) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  RECT overlap = {};
  *hitResult = ::IntersectRect(&overlap, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
  return S_OK;
}

HRESULT OleControl::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO* extentInfo,
                                     LPSIZEL size) {
  if (!extentInfo || !size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = extent_;
  return S_OK;
}

// --- IQuickActivate ----------------------------------------------------------------

HRESULT OleControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
  if (!container || !control) return E_POINTER;
  if (container->cbSize < kMinimumQaContainerSize || control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
  RETURN_IF_FAILED(SetClientSite(container->pClientSite));
  if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  control->dwEventCookie = 0;
  // A sink that does not speak the event interface still lets the control
  // activate; the container then simply receives no events.
  if (container->pUnkEventSink) AdviseDefaultSource(container->pUnkEventSink, &control->dwEventCookie);
  control->dwPropNotifyCookie = 0;  // no property change notifications
  control->dwPointerActivationPolicy = 0;
  control->dwViewStatus = kViewStatus;
  return GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
}

HRESULT OleControl::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

HRESULT OleControl::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

// --- IDataObject: no formats are offered ---------------------------------------------

HRESULT OleControl::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  return DV_E_FORMATETC;
}

HRESULT OleControl::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  return DV_E_FORMATETC;
}

HRESULT OleControl::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  return DV_E_FORMATETC;
}

HRESULT OleControl::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* formatOut) {
  if (formatOut) formatOut->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT OleControl::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT OleControl::EnumFormatEtc(DWORD, IEnumFORMATETC** formats) {
  if (formats) *formats = nullptr;
  return E_NOTIMPL;
}

HRESULT OleControl::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD* connection) {
  if (connection) *connection = 0;
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT OleControl::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT OleControl::EnumDAdvise(IEnumSTATDATA** advise) {
  if (advise) *advise = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// --- Property pages and class information ------------------------------------------

HRESULT OleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  return S_OK;
}

HRESULT OleControl::GetClassInfo(ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  return GetClassTypeInfo(typeInfo);
}

HRESULT OleControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DefaultSourceIid();
  return S_OK;
}

}  // namespace portal
