// The test camera DLL: class objects for the filter and its page, and
// self-registration (the COM classes, and the filter in the video input
// device category through the filter mapper).
#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <string>

#include "SettingsPage.h"
#include "TestCamera.h"
#include "TestCameraFilter.h"
#include "common/ComPtr.h"
#include "common/Registry.h"

namespace test_camera {
namespace {

HMODULE thisModule = nullptr;

template <typename Object>
class Factory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Object* object = new (std::nothrow) Object();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory<CameraFilter> filterFactory;
Factory<SettingsPage> pageFactory;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  ::StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT RegisterClass(REFGUID clsid, const wchar_t* name) {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(thisModule, path, MAX_PATH);
  const std::wstring key = L"CLSID\\" + GuidText(clsid);
  common::UniqueRegKey classKey = common::CreateRegKey(HKEY_CLASSES_ROOT, key, KEY_WRITE);
  common::UniqueRegKey server = common::CreateRegKey(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", KEY_WRITE);
  if (!classKey || !server) return E_ACCESSDENIED;
  common::WriteRegString(classKey.get(), nullptr, name);
  common::WriteRegString(server.get(), nullptr, path);
  common::WriteRegString(server.get(), L"ThreadingModel", L"Both");
  return S_OK;
}

common::ComPtr<IFilterMapper2> Mapper() {
  common::ComPtr<IFilterMapper2> mapper;
  ::CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.put_void());
  return mapper;
}

}  // namespace
}  // namespace test_camera

using namespace test_camera;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid == kFilterClsid) return filterFactory.QueryInterface(iid, out);
  if (clsid == kPageClsid) return pageFactory.QueryInterface(iid, out);
  if (out) *out = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

// Filters may still be alive in a graph; the DLL stays loaded.
STDAPI DllCanUnloadNow() { return S_FALSE; }

STDAPI DllRegisterServer() {
  HRESULT hr = RegisterClass(kFilterClsid, kFriendlyName);
  if (SUCCEEDED(hr)) hr = RegisterClass(kPageClsid, kPageTitle);
  if (FAILED(hr)) return hr;
  common::ComPtr<IFilterMapper2> mapper = Mapper();
  if (!mapper) return REGDB_E_CLASSNOTREG;
  REGPINTYPES type{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24};
  REGFILTERPINS2 pin{};
  pin.dwFlags = REG_PINFLAG_B_OUTPUT;
  pin.cInstances = 1;
  pin.nMediaTypes = 1;
  pin.lpMediaType = &type;
  pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
  REGFILTER2 filter{};
  filter.dwVersion = 2;
  filter.dwMerit = MERIT_DO_NOT_USE;
  filter.cPins2 = 1;
  filter.rgPins2 = &pin;
  return mapper->RegisterFilter(kFilterClsid, kFriendlyName, nullptr, &CLSID_VideoInputDeviceCategory,
                                kFriendlyName, &filter);
}

STDAPI DllUnregisterServer() {
  if (common::ComPtr<IFilterMapper2> mapper = Mapper()) {
    mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, kFriendlyName, kFilterClsid);
  }
  for (REFGUID clsid : {kFilterClsid, kPageClsid}) {
    common::DeleteRegTree(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(clsid));
  }
  return S_OK;
}
