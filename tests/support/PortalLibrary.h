// Test access to the real Tovra2.dll: loads it from the test executables'
// folder and creates VideoPortal controls through its class factory, the
// way COM does for a registered in-process control.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WineTodo.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"

namespace portal_test {

// Full path of the Tovra2.dll beside the test executable.
std::wstring PortalLibraryPath();

// The control's class factory; fails the current test when the library or
// its export cannot be reached.
common::ComPtr<IClassFactory> PortalClassFactory();

// A new control, asked for interface T.
template <typename T>
common::ComPtr<T> CreatePortal() {
  common::ComPtr<T> control;
  common::ComPtr<IClassFactory> factory = PortalClassFactory();
  if (factory) {
    EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, __uuidof(T), control.put_void()));
  }
  return control;
}

// Every test runs in a single-threaded OLE apartment of its own. Wine 8's
// AVIFileExit does not undo the OleInitialize of AVIFileInit, so once the
// control has saved a movie on the thread, later tests find OLE still
// initialised there (S_FALSE); on Windows each test starts afresh (S_OK).
class OleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ole_.emplace();
    ASSERT_TRUE(ole_->Result() == S_OK || (testing_support::RunningOnWine() && ole_->Result() == S_FALSE))
        << std::hex << ole_->Result();
  }
  void TearDown() override { ole_.reset(); }

 private:
  std::optional<common::OleInit> ole_;
};

}  // namespace portal_test
