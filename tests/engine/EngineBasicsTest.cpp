// Enumeration, connection and the inquiries around it, through real COM
// with CameraEngine.exe in its own process.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineClient.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

class EngineBasics : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    client_.Exec(1007, 0);  // no remembered camera from earlier tests
  }
  EngineClient client_;
};

TEST_F(EngineBasics, EnumeratesTheConfiguredCameras) {
  long count = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
  ASSERT_EQ(3, count);
  const struct {
    const char* name;
    int type;
    std::uint16_t product;
  } expected[] = {{"Test Camera A", 9, 0x0101}, {"Test Camera B", 14, 0x0102}, {"Test Camera C", 3, 901}};
  for (long i = 0; i < count; ++i) {
    CameraRecord record{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, i, &record));
    EXPECT_EQ(sizeof(CameraRecord), record.size);
    EXPECT_STREQ(expected[i].name, record.name);
    EXPECT_EQ(expected[i].type, record.type);
    EXPECT_EQ(expected[i].product, record.productId);
    EXPECT_EQ(0, record.state);
  }
  CameraRecord record{};
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdCameraRecord, 3, &record)));
}

}  // namespace
