// The camera dialog of a capture device (23/1): the device's own property
// pages in the system's property frame. A dialog that the scenario channel
// asked to close by itself is cancelled by a thread timer, which runs in
// the frame's modal loop.
#include "DevicePages.h"

#include <olectl.h>

#include <string>

#include "common/ComPtr.h"
#include "common/Strings.h"

namespace engine {
namespace {

UINT_PTR autoCloseTimer = 0;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (::IsWindowVisible(window) && std::wstring(className) == L"#32770") {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  return TRUE;
}

void CALLBACK AutoClose(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
}

}  // namespace

HRESULT ShowDevicePages(IBaseFilter* device, const std::string& caption, DWORD autoCloseMs) {
  if (!device) return E_NOINTERFACE;
  common::ComPtr<ISpecifyPropertyPages> specify;
  HRESULT hr = device->QueryInterface(IID_ISpecifyPropertyPages, specify.put_void());
  if (FAILED(hr)) return hr;
  CAUUID pages{};
  hr = specify->GetPages(&pages);
  if (FAILED(hr)) return hr;
  if (pages.cElems == 0) {
    ::CoTaskMemFree(pages.pElems);
    return E_NOINTERFACE;
  }
  if (autoCloseMs) autoCloseTimer = ::SetTimer(nullptr, 0, autoCloseMs, &AutoClose);
  const std::wstring title = common::AnsiToWide(caption);
  IUnknown* object = device;
  hr = ::OleCreatePropertyFrame(nullptr, 0, 0, title.c_str(), 1, &object, pages.cElems, pages.pElems,
                                ::GetUserDefaultLCID(), 0, nullptr);
  if (autoCloseTimer) ::KillTimer(nullptr, autoCloseTimer);
  autoCloseTimer = 0;
  ::CoTaskMemFree(pages.pElems);
  return hr;
}

}  // namespace engine
