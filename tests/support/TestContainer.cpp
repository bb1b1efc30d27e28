// The test container's window and its site and frame calls.
#include "TestContainer.h"

#include <algorithm>

namespace portal_test {

constexpr RECT TestContainer::kPosition;

TestContainer::TestContainer()
    : window_(::CreateWindowExW(0, L"STATIC", L"test container", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640,
                                480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}

bool TestContainer::Called(const std::string& name) const {
  return std::find(calls_.begin(), calls_.end(), name) != calls_.end();
}

HRESULT TestContainer::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT TestContainer::SaveObject() {
  calls_.push_back("SaveObject");
  return S_OK;
}

HRESULT TestContainer::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT TestContainer::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT TestContainer::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_.get();
  return S_OK;
}

HRESULT TestContainer::CanInPlaceActivate() {
  calls_.push_back("CanInPlaceActivate");
  return allowInPlace_ ? S_OK : S_FALSE;
}

HRESULT TestContainer::OnInPlaceActivate() {
  calls_.push_back("OnInPlaceActivate");
  return S_OK;
}

HRESULT TestContainer::OnUIActivate() {
  calls_.push_back("OnUIActivate");
  return S_OK;
}

HRESULT TestContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                        LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  calls_.push_back("GetWindowContext");
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  *frame = this;
  AddRef();
  *document = nullptr;
  *position = kPosition;
  ::GetClientRect(window_.get(), clip);
  info->fMDIApp = FALSE;
  info->hwndFrame = window_.get();
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT TestContainer::OnUIDeactivate(BOOL) {
  calls_.push_back("OnUIDeactivate");
  return S_OK;
}

HRESULT TestContainer::OnInPlaceDeactivate() {
  calls_.push_back("OnInPlaceDeactivate");
  return S_OK;
}

HRESULT TestContainer::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  calls_.push_back(object ? "SetActiveObject" : "SetActiveObject(null)");
  activeObject_ = common::ComPtr<IOleInPlaceActiveObject>(object);
  return S_OK;
}

}  // namespace portal_test
