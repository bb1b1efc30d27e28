// OleControl: in-place and UI activation through the container's in-place
// site, the control window's placement, and the in-place active object and
// IOleControl members a windowed control answers.
#include "server/OleControl.h"

#include <utility>

#include "common/HResult.h"
#include "common/UniqueHandle.h"

namespace portal {

// --- Activation ---------------------------------------------------------------

HRESULT OleControl::ActivateInPlace(IOleClientSite* site, LPCRECT posRect) {
  if (inPlaceActive_) {
    if (window_ && ::IsWindow(window_)) ::ShowWindow(window_, SW_SHOWNA);
    return S_OK;
  }
  if (!site) return E_UNEXPECTED;
  common::ComPtr<IOleInPlaceSite> inPlaceSite;
  RETURN_IF_FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.put_void()));
  // The container may refuse for now (S_FALSE): the verb is valid but
  // cannot run in the container's current state.
  if (inPlaceSite->CanInPlaceActivate() != S_OK) return OLEOBJ_S_CANNOT_DOVERB_NOW;
  RETURN_IF_FAILED(inPlaceSite->OnInPlaceActivate());
  inPlaceSite_ = inPlaceSite;
  inPlaceActive_ = true;
  const HRESULT hr = CreateWindowInSite(posRect);
  if (FAILED(hr)) InPlaceDeactivate();
  return hr;
}

// Asks the site for its window and frame, then creates the control window
// at the container's position rectangle (or the one DoVerb was given).
HRESULT OleControl::CreateWindowInSite(LPCRECT posRect) {
  HWND parent = nullptr;
  RETURN_IF_FAILED(inPlaceSite_->GetWindow(&parent));
  RECT position = {};
  RECT clip = {};
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof(frameInfo);
  RETURN_IF_FAILED(inPlaceSite_->GetWindowContext(frame_.put(), document_.put(), &position, &clip, &frameInfo));
  if (posRect) position = *posRect;
  window_ = CreateControlWindow(parent, position);
  if (!window_) return E_FAIL;
  return S_OK;
}

HRESULT OleControl::ActivateUserInterface() {
  if (uiActive_) return S_OK;
  if (!inPlaceSite_) return E_UNEXPECTED;
  RETURN_IF_FAILED(inPlaceSite_->OnUIActivate());
  uiActive_ = true;
  if (window_ && !::IsChild(window_, ::GetFocus())) ::SetFocus(window_);
  auto* activeObject = static_cast<IOleInPlaceActiveObject*>(this);
  // The control has no menus or tools: it asks for no border space.
  if (frame_) {
    frame_->SetActiveObject(activeObject, nullptr);
    frame_->SetBorderSpace(nullptr);
  }
  if (document_) {
    document_->SetActiveObject(activeObject, nullptr);
    document_->SetBorderSpace(nullptr);
  }
  return S_OK;
}

HRESULT OleControl::UIDeactivate() {
  if (!uiActive_) return S_OK;
  common::ComPtr<IUnknown> keepAlive(ControlUnknown());
  uiActive_ = false;
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (document_) document_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

HRESULT OleControl::InPlaceDeactivate() {
  if (!inPlaceActive_) return S_OK;
  common::ComPtr<IUnknown> keepAlive(ControlUnknown());
  UIDeactivate();
  inPlaceActive_ = false;
  DestroyControlWindow();
  ReleaseInPlaceSite();
  return S_OK;
}

// The window object of the derived control owns the HWND; the container may
// already have destroyed it together with its own window.
void OleControl::DestroyControlWindow() {
  const HWND window = window_;
  window_ = nullptr;
  if (!window) return;
  if (::IsWindow(window)) ::DestroyWindow(window);
  OnWindowDestroyed();
}

void OleControl::ReleaseInPlaceSite() {
  frame_.reset();
  document_.reset();
  common::ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  if (site) site->OnInPlaceDeactivate();
}

// --- IOleWindow / IOleInPlaceObject -----------------------------------------------

HRESULT OleControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

HRESULT OleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// Moves the window to the new position; its size is the preview size the
// control chose. Whatever lies outside the clip rectangle is cut off.
HRESULT OleControl::SetObjectRects(LPCRECT posRect, LPCRECT clipRect) {
  if (!posRect || !clipRect) return E_POINTER;
  if (!window_ || !::IsWindow(window_)) return S_OK;
  RECT bounds = {};
  ::GetWindowRect(window_, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  ::SetWindowPos(window_, nullptr, posRect->left, posRect->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT placed = {posRect->left, posRect->top, posRect->left + width, posRect->top + height};
  RECT visible = {};
  ::IntersectRect(&visible, &placed, clipRect);
  if (::EqualRect(&visible, &placed)) {
    ::SetWindowRgn(window_, nullptr, TRUE);
    return S_OK;
  }
  ::OffsetRect(&visible, -placed.left, -placed.top);
  common::UniqueRegion region(::CreateRectRgnIndirect(&visible));
  if (!region) return E_OUTOFMEMORY;
  // On success the window owns the region.
  if (::SetWindowRgn(window_, region.get(), TRUE)) region.release();
  return S_OK;
}

HRESULT OleControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

// A windowed control receives its messages in its own window.
HRESULT OleControl::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result) *result = 0;
  return S_FALSE;
}

HRESULT OleControl::GetDropTarget(IDropTarget** dropTarget) {
  if (dropTarget) *dropTarget = nullptr;
  return E_NOTIMPL;
}

// --- IOleInPlaceActiveObject -------------------------------------------------------

HRESULT OleControl::TranslateAccelerator(LPMSG) { return S_FALSE; }

HRESULT OleControl::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT OleControl::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT OleControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

HRESULT OleControl::EnableModeless(BOOL) { return S_OK; }

// --- IOleControl ----------------------------------------------------------------------

HRESULT OleControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  // No mnemonics: no accelerator table.
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT OleControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

HRESULT OleControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

HRESULT OleControl::FreezeEvents(BOOL) { return S_OK; }

}  // namespace portal
