// COM for the test thread, and one engine reference held for the whole
// run so that the engine is started once and not for every test.
#include <gtest/gtest.h>

#include <objbase.h>

#include "EngineClient.h"

namespace {

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_EQ(S_OK, keeper_.Create());
  }
  void TearDown() override {
    keeper_.Release();
    ::CoUninitialize();
  }

 private:
  engine_test::EngineClient keeper_;
};

::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace
