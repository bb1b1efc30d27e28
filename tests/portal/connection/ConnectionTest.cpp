// The control with the real camera engine: preparing, the automatic
// connection search, properties, capture formats, unplugging and a dead
// engine. Cameras come from an engine configuration written per test.
#include <gtest/gtest.h>

#include <windows.h>

#include "HostedPortal.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "common/UniqueBstr.h"
#include "engine/interface/EngineCommands.h"

namespace dispid = tovra2::dispid;

using portal_test::EngineConfigFile;
using portal_test::HostedPortal;
using testing_support::Variant;

namespace {

constexpr LONG kUntouched = 0x5A5A5A5A;

// Three cameras: two of type 9 around one of type 14.
const char kThreeCameras[] =
    "[Engine]\nCameras=3\n"
    "[Camera0]\nName=Desk\nType=9\nVendorId=100\nProductId=1\nSerial=11\n"
    "[Camera1]\nName=Door\nType=14\nVendorId=100\nProductId=2\nSerial=12\n"
    "[Camera2]\nName=Yard\nType=9\nVendorId=200\nProductId=3\nSerial=13\n";

std::vector<Variant> Args() { return {}; }
template <typename... T>
std::vector<Variant> Args(Variant first, T... rest) {
  std::vector<Variant> args;
  args.push_back(std::move(first));
  (args.push_back(std::move(rest)), ...);
  return args;
}

class Connection : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    config_ = std::make_unique<EngineConfigFile>(kThreeCameras);
  }
  void TearDown() override {
    config_.reset();
    OleTest::TearDown();
  }

  // A hosted, prepared control on the given configuration, with no camera
  // remembered by the engine.
  std::unique_ptr<HostedPortal> Prepared(const std::wstring& config) {
    auto portal = std::make_unique<HostedPortal>();
    EXPECT_TRUE(portal->Active());
    EXPECT_EQ(1, portal->Prepare());
    EXPECT_EQ(0, portal->ReloadEngineConfig(config));
    EXPECT_EQ(0, portal->Scenario(engine::kScenarioForgetCamera, 0));
    return portal;
  }

  std::unique_ptr<EngineConfigFile> config_;
};

TEST_F(Connection, PrepareWorksOnceAndOnlyWithAWindow) {
  auto portal = std::make_unique<HostedPortal>();
  ASSERT_TRUE(portal->Active());
  EXPECT_EQ(1, portal->Prepare());
  EXPECT_EQ(0, portal->Prepare()) << "a second PrepareControl changes nothing";
  LONG count = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kGetCameraCount, Args(Variant::ByRef(&count))));
  EXPECT_EQ(3, count);

  // A control that was never activated has no window and no engine.
  auto bare = portal_test::CreatePortal<IDispatch>();
  std::vector<Variant> args = Args(Variant(L"x"), Variant(L"y"), Variant(0L));
  testing_support::CallResult result;
  testing_support::Invoke(bare.get(), dispid::kPrepareControl, DISPATCH_METHOD, args, &result);
  EXPECT_EQ(0, result.AsLong());
}

TEST_F(Connection, CamerasAreDescribed) {
  auto portal = Prepared(config_->Path());
  common::UniqueBstr name;
  EXPECT_EQ(1, portal->Call(dispid::kGetCameraDescription, Args(Variant(1L), Variant::ByRef(name.put()))));
  EXPECT_STREQ(L"Door", name.get());
  LONG type = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kGetCameraType, Args(Variant(1L), Variant::ByRef(&type))));
  EXPECT_EQ(14, type);
  LONG state = kUntouched;
  EXPECT_EQ(0, portal->Call(dispid::kGetCameraState, Args(Variant(7L), Variant::ByRef(&state))));
  EXPECT_EQ(tovra2::kCameraStateUnreadable, state) << "an unreadable camera";
  type = kUntouched;
  EXPECT_EQ(0, portal->Call(dispid::kGetCameraType, Args(Variant(-1L), Variant::ByRef(&type))));
  EXPECT_EQ(kUntouched, type);
}

TEST_F(Connection, SearchTakesTheFirstCameraWhenNothingIsKnown) {
  auto portal = Prepared(config_->Path());
  EXPECT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(1, portal->Get(dispid::kCameraConnected));
  EXPECT_EQ(0, portal->Get(dispid::kCameraIndex));
  LONG remembered = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kQueryRegistryCameraIndex, Args(Variant::ByRef(&remembered))));
  EXPECT_EQ(0, remembered) << "the engine remembers the camera it connected";
}

TEST_F(Connection, SearchPrefersTheRememberedCamera) {
  {
    auto first = Prepared(config_->Path());
    EXPECT_EQ(1, first->Call(dispid::kConnectCamera, Args(Variant(2L))));
    EXPECT_EQ(2, first->Get(dispid::kCameraIndex));
  }
  auto portal = std::make_unique<HostedPortal>();
  ASSERT_EQ(1, portal->Prepare());
  portal->ReloadEngineConfig(config_->Path());
  EXPECT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(2, portal->Get(dispid::kCameraIndex));
}

TEST_F(Connection, SearchPrefersACameraAlreadyInUse) {
  auto other = Prepared(config_->Path());
  EXPECT_EQ(1, other->Call(dispid::kConnectCamera, Args(Variant(1L))));
  EXPECT_EQ(0, other->Scenario(engine::kScenarioForgetCamera, 0));
  auto portal = std::make_unique<HostedPortal>();
  ASSERT_EQ(1, portal->Prepare());
  LONG inUse = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kQueryCameraConnected, Args(Variant(1L), Variant::ByRef(&inUse))));
  EXPECT_NE(0, inUse);
  EXPECT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(1, portal->Get(dispid::kCameraIndex)) << "the in-use camera comes before every other index";
}

// A remembered camera with second identifier 901 matches any camera of
// its type.
TEST_F(Connection, SearchMatchesAnyCameraOfTheTypeFor901) {
  EngineConfigFile before(
      "[Engine]\nCameras=2\n"
      "[Camera0]\nType=14\nVendorId=5\nProductId=5\n"
      "[Camera1]\nType=9\nVendorId=7\nProductId=901\n");
  {
    auto first = Prepared(before.Path());
    EXPECT_EQ(1, first->Call(dispid::kConnectCamera, Args(Variant(1L))));
  }
  EngineConfigFile after(
      "[Engine]\nCameras=3\n"
      "[Camera0]\nType=14\nVendorId=5\nProductId=5\n"
      "[Camera1]\nType=14\nVendorId=6\nProductId=6\n"
      "[Camera2]\nType=9\nVendorId=8\nProductId=77\n");
  auto portal = std::make_unique<HostedPortal>();
  ASSERT_EQ(1, portal->Prepare());
  portal->ReloadEngineConfig(after.Path());
  EXPECT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(2, portal->Get(dispid::kCameraIndex));
}

TEST_F(Connection, SearchWithoutCamerasYieldsOneAndFiresNothing) {
  EngineConfigFile none("[Engine]\nCameras=0\n");
  auto portal = Prepared(none.Path());
  portal->Events().clear();
  EXPECT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  portal->PumpFor(300);
  EXPECT_TRUE(portal->Events().empty());
  EXPECT_EQ(0, portal->Get(dispid::kCameraConnected));
  EXPECT_EQ(tovra2::kNoCameraIndex, portal->Get(dispid::kCameraIndex));
}

TEST_F(Connection, LiveVideoDuringPicturesCanBeForbidden) {
  auto portal = Prepared(config_->Path());
  ASSERT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(1, portal->Call(dispid::kEnableUIElements, Args(Variant(tovra2::kElementPreviewDuringPictures), Variant(0L), Variant(0L))));
  EXPECT_EQ(0, portal->Call(dispid::kSetCameraPropertyLong, Args(Variant(engine::kPropLiveVideo), Variant(1L))));
  EXPECT_EQ(1, portal->Call(dispid::kSetCameraPropertyLong, Args(Variant(engine::kPropLiveVideo), Variant(0L))));
  EXPECT_EQ(1, portal->Call(dispid::kEnableUIElements, Args(Variant(tovra2::kElementPreviewDuringPictures), Variant(0L), Variant(1L))));
  EXPECT_EQ(1, portal->Call(dispid::kSetCameraPropertyLong, Args(Variant(engine::kPropLiveVideo), Variant(1L))));
  LONG value = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kGetCameraPropertyLong, Args(Variant(engine::kPropLiveVideo), Variant::ByRef(&value))));
  EXPECT_EQ(1, value);
}

TEST_F(Connection, FormatsUpTo640AreSetDirectly) {
  auto portal = Prepared(config_->Path());
  ASSERT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(1, portal->Call(dispid::kSetVideoFormat, Args(Variant(640L), Variant(480L), Variant(24L), Variant(0L))));
  LONG w = 320, h = 240, bits = 0, fourCC = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kGetVideoFormat, Args(Variant::ByRef(&w), Variant::ByRef(&h), Variant::ByRef(&bits),
                                    Variant::ByRef(&fourCC))));
  EXPECT_EQ(640, w);
  EXPECT_EQ(480, h);
  EXPECT_EQ(24, bits);
  EXPECT_EQ(0, fourCC);
}

// Large sizes are stills: without the still capability the call fails but
// the still mode is entered all the same.
TEST_F(Connection, LargeSizesNeedTheStillCapability) {
  auto portal = Prepared(config_->Path());
  ASSERT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  EXPECT_EQ(0, portal->Call(dispid::kSetVideoFormat, Args(Variant(800L), Variant(600L), Variant(24L), Variant(0L))));
  EXPECT_EQ(1, portal->Call(dispid::kEnableUIElements, Args(Variant(tovra2::kElementStillCapable), Variant(0L), Variant(1L))));
  portal->Events().clear();
  EXPECT_EQ(1, portal->Call(dispid::kSetVideoFormat, Args(Variant(1280L), Variant(960L), Variant(24L), Variant(0L))));
  ASSERT_EQ(1, portal->Count(tovra2::kNotifyFormatChanged));
  const auto& events = portal->Events();
  int onSecond = 0;
  for (const auto& e : events) {
    if (e.msg != tovra2::kNotifyFormatChanged) continue;
    EXPECT_EQ(1280, e.p1);
    EXPECT_EQ(960, e.p2);
    onSecond += e.point == "second";
  }
  EXPECT_EQ(1, onSecond) << "the format change reaches both connection points";
  LONG w = 320, h = 240, bits = 0, fourCC = kUntouched;
  EXPECT_EQ(1, portal->Call(dispid::kGetVideoFormat, Args(Variant::ByRef(&w), Variant::ByRef(&h), Variant::ByRef(&bits),
                                    Variant::ByRef(&fourCC))));
  EXPECT_EQ(1280, w);
  EXPECT_EQ(960, h);
}

TEST_F(Connection, UnplugAndReplugReachTheClient) {
  auto portal = Prepared(config_->Path());
  ASSERT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  portal->Events().clear();
  EXPECT_EQ(0, portal->Scenario(engine::kScenarioUnplug, 0));
  EXPECT_TRUE(portal->PumpUntil([&] { return portal->Count(tovra2::kNotifyCameraGone) > 0; })) << "camera gone";
  EXPECT_EQ(0, portal->Scenario(engine::kScenarioReplug, 0));
  EXPECT_TRUE(portal->PumpUntil([&] { return portal->Count(tovra2::kNotifyReconnectAttempted) > 0; })) << "reconnection";
  EXPECT_EQ(1, portal->Get(dispid::kCameraConnected));
}

// The engine process dies: every call answers at once with its failure
// result and preset outputs.
TEST_F(Connection, DeadEngineTurnsIntoFailuresNotHangs) {
  auto portal = Prepared(config_->Path());
  ASSERT_EQ(1, portal->Call(dispid::kConnectCamera2, Args()));
  ASSERT_GT(portal_test::KillCameraEngines(), 0);
  const DWORD start = ::GetTickCount();
  LONG count = kUntouched;
  EXPECT_EQ(0, portal->Call(dispid::kGetCameraCount, Args(Variant::ByRef(&count))));
  EXPECT_EQ(kUntouched, count);
  EXPECT_EQ(0, portal->Get(dispid::kCameraConnected));
  EXPECT_EQ(tovra2::kNoCameraIndex, portal->Get(dispid::kCameraIndex));
  EXPECT_EQ(tovra2::kCameraStateUnreadable, portal->Get(dispid::kCameraState));
  EXPECT_NE(0, portal->Scenario(engine::kCmdCameraCount, engine::kNoSubCode));
  EXPECT_EQ(0, portal->Call(dispid::kConnectCamera2, Args())) << "the camera count cannot be read";
  EXPECT_LT(::GetTickCount() - start, 10000u);
}

}  // namespace
