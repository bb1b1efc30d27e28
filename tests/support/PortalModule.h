// Test access to the control: loads Tovra2.dll from the test's own folder
// and creates controls through its class factory, as COM would in-process.
#pragma once

#include <windows.h>

#include <string>

#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace testing_support {

class PortalModule {
 public:
  PortalModule();
  bool Loaded() const { return module_.valid(); }
  HMODULE Handle() const { return module_.get(); }
  HRESULT CreateControl(REFIID iid, void** object) const;
  template <typename T>
  HRESULT CreateControl(common::ComPtr<T>* out) const {
    return CreateControl(__uuidof(T), out->put_void());
  }

 private:
  common::UniqueModule module_;
};

// Folder of the running test executable, with a trailing backslash.
std::wstring TestBinDirectory();

}  // namespace testing_support
