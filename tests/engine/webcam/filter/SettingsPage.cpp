// The test camera's property page.
#include "SettingsPage.h"

#include <cstring>

#include "TestCamera.h"

namespace test_camera {

SettingsPage::~SettingsPage() {
  Deactivate();
  SetPageSite(nullptr);
}

STDMETHODIMP SettingsPage::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
    *out = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) SettingsPage::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP SettingsPage::SetPageSite(IPropertyPageSite* site) {
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

STDMETHODIMP SettingsPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  if (!rect) return E_POINTER;
  window_ = ::CreateWindowExW(0, L"STATIC", kPageText,
                              WS_CHILD, rect->left, rect->top, rect->right - rect->left,
                              rect->bottom - rect->top, parent, nullptr, nullptr, nullptr);
  return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP SettingsPage::Deactivate() {
  if (window_) ::DestroyWindow(window_);
  window_ = nullptr;
  return S_OK;
}

STDMETHODIMP SettingsPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  std::memset(info, 0, sizeof(*info));
  info->cb = sizeof(*info);
  info->pszTitle = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(kPageTitle)));
  if (info->pszTitle) std::memcpy(info->pszTitle, kPageTitle, sizeof(kPageTitle));
  info->size = {240, 120};
  return S_OK;
}

STDMETHODIMP SettingsPage::Show(UINT show) {
  if (window_) ::ShowWindow(window_, show);
  return S_OK;
}

STDMETHODIMP SettingsPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (window_) ::MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return S_OK;
}

}  // namespace test_camera
