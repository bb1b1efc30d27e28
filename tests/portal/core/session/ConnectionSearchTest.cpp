// The automatic connection search of the camera session against the fake
// engine: a camera the engine has in use first, then the remembered
// camera (by identifiers and type, or by type alone for product 901),
// then every index in order, skipping the remembered match that failed.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "FakeEngine.h"
#include "FakeNotificationSink.h"
#include "FakeWindowView.h"
#include "core/session/CameraSession.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"

namespace {

using namespace engine;
using namespace testing_support;

struct CameraId {
  std::uint16_t vendorId;
  std::uint16_t productId;
  std::int32_t type;
};

CameraRecord Record(const CameraId& id, std::uint32_t index) {
  CameraRecord record = {};
  record.size = sizeof(record);
  record.vendorId = id.vendorId;
  record.productId = id.productId;
  record.type = id.type;
  record.index = index;
  return record;
}

// Two cameras of one type around one of another.
const std::vector<CameraId> kCameras = {
    {100, 1, kCameraTypeBranded}, {100, 2, kCameraTypeIndicators}, {200, 3, kCameraTypeBranded}};

// A prepared session on fakes.
struct SearchRig {
  FakeEngine engine;
  FakeWindowView view;
  FakeNotificationSink events;
  portal::CameraSession session{view, events};
  SearchRig() { session.Prepare(engine.NewLink(), L"SearchTest", L"Software\\SearchTest"); }
};

struct SearchCase {
  const char* name;
  std::optional<LONG> inUse;           // a camera the engine has in use
  std::optional<CameraId> remembered;  // the camera remembered in the registry
  int failingConnects;                 // the first attempts the engine refuses
  std::vector<std::uint32_t> attempts;
};

TEST(ConnectionSearch, OrderOfTheAttempts) {
  const SearchCase cases[] = {
      {"nothing remembered, nothing in use: the first camera", {}, {}, 0, {0}},
      {"every index in order until one connects", {}, {}, 2, {0, 1, 2}},
      {"the camera in use comes before the remembered one", 2, kCameras[0], 0, {2}},
      {"the remembered camera by its identifiers and type", {}, kCameras[1], 0, {1}},
      {"product 901 matches each camera of the remembered type in turn",
       {},
       CameraId{999, kAnyProductOfType, kCameraTypeBranded},
       1,
       {0, 2}},
      {"a remembered camera of another maker is not matched by type alone",
       {},
       CameraId{999, 3, kCameraTypeBranded},
       0,
       {0}},
      {"the failed remembered match is not tried again", {}, kCameras[1], 2, {1, 0, 2}},
      {"an in-use camera that fails leads to the walk over every index", 1, {}, 1, {1, 0}},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    SearchRig rig;
    FakeEngine& engine = rig.engine;
    engine.OnInquire(kCmdCameraCount).Returns(static_cast<LONG>(kCameras.size()));
    for (size_t i = 0; i < kCameras.size(); ++i) {
      engine.OnInquire(kCmdCameraRecord, static_cast<LONG>(i))
          .Returns(Record(kCameras[i], static_cast<std::uint32_t>(i)));
      engine.OnInquire(kCmdCameraInUse).WithInput(static_cast<LONG>(i)).Returns(LONG{c.inUse == LONG(i) ? 1 : 0});
    }
    if (c.remembered) engine.OnInquire(kCmdRememberedCamera).Returns(Record(*c.remembered, 99));
    for (int i = 0; i < c.failingConnects; ++i) engine.OnExecute(kCmdConnect).Once().Fails();

    EXPECT_TRUE(rig.session.ConnectAutomatically());
    std::vector<std::uint32_t> attempts;
    for (const EngineCall& call : engine.CallsOf(EngineOp::kExecute, kCmdConnect)) {
      attempts.push_back(call.InputAs<CameraRecord>().index);
    }
    EXPECT_EQ(c.attempts, attempts);
    EXPECT_EQ(c.attempts.back(), static_cast<std::uint32_t>(rig.session.State().lastCameraIndex));
  }
}

TEST(ConnectionSearch, WithoutCamerasOrCountNothingIsConnected) {
  struct Case {
    const char* name;
    std::optional<LONG> count;
    bool searched;
  } cases[] = {{"no camera", 0, true}, {"the count cannot be read", std::nullopt, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SearchRig rig;
    if (c.count) rig.engine.OnInquire(kCmdCameraCount).Returns(*c.count);
    EXPECT_EQ(c.searched, rig.session.ConnectAutomatically());
    EXPECT_TRUE(rig.engine.CallsOf(EngineOp::kExecute, kCmdConnect).empty());
    EXPECT_TRUE(rig.session.State().connectionWanted);
    // The refresh request lets the window choose its information screen.
    EXPECT_EQ(1, rig.view.Queued(kMsgInterfaceRefresh));
    EXPECT_TRUE(rig.events.fired.empty());
  }
}

}  // namespace
