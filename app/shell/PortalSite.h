// The container side of the one VideoPortal control: a client site that is
// also the in-place site and the frame. The control is activated in place
// inside the live-view window, so its own window becomes a child of it.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "common/ComPtr.h"

namespace torvane {

class PortalSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit PortalSite(HWND liveView) : liveView_(liveView) {}
  PortalSite(const PortalSite&) = delete;
  PortalSite& operator=(const PortalSite&) = delete;

  HWND LiveView() const { return liveView_; }
  // The control's window once it is active in place, else null.
  HWND ControlWindow() const;
  bool InPlaceActive() const { return inPlaceActive_; }
  IOleInPlaceActiveObject* ActiveObject() const { return activeObject_.get(); }
  // Where the control sits inside the live view (client coordinates).
  void SetPosition(const RECT& position) { position_ = position; }
  RECT Position() const { return position_; }
  // References still held by the control (the site owns one itself).
  LONG OutstandingReferences() const { return refs_ - 1; }

  // IUnknown: the site lives inside its host, which outlives the control's
  // references; the count only tells whether references were given back.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&refs_)); }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow: site and frame both answer with the live view.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                             LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space, menus or
  // accelerators are shared with the control.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // Remembers the in-place object so the host can size and deactivate it.
  void SetInPlaceObject(common::ComPtr<IOleInPlaceObject> object) { inPlaceObject_ = std::move(object); }
  IOleInPlaceObject* InPlaceObject() const { return inPlaceObject_.get(); }

 private:
  LONG refs_ = 1;
  HWND liveView_;
  RECT position_{0, 0, 0, 0};
  bool inPlaceActive_ = false;
  common::ComPtr<IOleInPlaceActiveObject> activeObject_;
  common::ComPtr<IOleInPlaceObject> inPlaceObject_;
};

}  // namespace torvane
