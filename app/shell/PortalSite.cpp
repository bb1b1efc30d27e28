// PortalSite: the container interfaces the VideoPortal control talks to
// while it is embedded and active in place in the live view.
#include "PortalSite.h"

namespace torvane {

HRESULT PortalSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HWND PortalSite::ControlWindow() const {
  HWND window = nullptr;
  if (inPlaceObject_ && SUCCEEDED(inPlaceObject_->GetWindow(&window))) return window;
  return nullptr;
}

HRESULT PortalSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT PortalSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT PortalSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = liveView_;
  return S_OK;
}

HRESULT PortalSite::OnInPlaceActivate() {
  inPlaceActive_ = true;
  return S_OK;
}

HRESULT PortalSite::OnInPlaceDeactivate() {
  inPlaceActive_ = false;
  activeObject_.reset();
  return S_OK;
}

HRESULT PortalSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                     LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;  // the frame is the only UI window
  *position = position_;
  *clip = position_;
  info->cb = sizeof(OLEINPLACEFRAMEINFO);
  info->fMDIApp = FALSE;
  info->hwndFrame = ::GetAncestor(liveView_, GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT PortalSite::OnPosRectChange(LPCRECT position) {
  // The live view has a fixed place for the control; a request to move or
  // resize is acknowledged and the place stays as the layout set it.
  return position ? S_OK : E_POINTER;
}

HRESULT PortalSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  activeObject_ = common::ComPtr<IOleInPlaceActiveObject>(object);
  return S_OK;
}

}  // namespace torvane
