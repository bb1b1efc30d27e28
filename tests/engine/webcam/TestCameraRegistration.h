// Registration of the test camera filter DLL (beside the executable) for
// the length of a test or benchmark: DllRegisterServer puts it into the
// video input device category, DllUnregisterServer takes it away.
#pragma once

#include <windows.h>

#include "TestCamera.h"
#include "common/UniqueHandle.h"

namespace test_camera {

class Registration {
 public:
  // Registers the filter (after removing what a previous run left).
  HRESULT Register() {
    module_.reset(::LoadLibraryW(kFilterFile));
    if (!module_) return HRESULT_FROM_WIN32(::GetLastError());
    Call("DllUnregisterServer");
    return Call("DllRegisterServer");
  }
  void Unregister() {
    if (module_) Call("DllUnregisterServer");
  }

 private:
  using Function = HRESULT(STDAPICALLTYPE*)();
  HRESULT Call(const char* name) {
    auto function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
    return function ? function() : E_NOINTERFACE;
  }
  common::UniqueModule module_;
};

}  // namespace test_camera
