// The test camera's property page: a page with one label, enough for a
// property frame to show and close it.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <atomic>

namespace test_camera {

class SettingsPage : public IPropertyPage {
 public:
  virtual ~SettingsPage();
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG, IUnknown**) override { return S_OK; }
  STDMETHODIMP Show(UINT show) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override { return S_FALSE; }
  STDMETHODIMP Apply() override { return S_OK; }
  STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

 private:
  std::atomic<ULONG> refs_{1};
  IPropertyPageSite* site_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace test_camera
