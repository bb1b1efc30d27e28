// COM for the test thread, and one engine reference held for the whole
// run so that the engine is started once and not for every test.
#include <gtest/gtest.h>

#include <objbase.h>

#include <optional>

#include "EngineClient.h"
#include "common/ComInit.h"

namespace {

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    com_.emplace(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(com_->MustUninitialize());
    ASSERT_EQ(S_OK, keeper_.Create());
  }
  void TearDown() override {
    keeper_.Release();
    com_.reset();
  }

 private:
  std::optional<common::ComInit> com_;
  engine_test::EngineClient keeper_;
};

::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace
