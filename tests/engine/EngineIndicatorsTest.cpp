// The status indicators of a camera of type 14 (camera properties 102,
// 106, 107, 108 and the mode of command 28): their values from the
// configuration, changes by a client and by the camera itself (scenario
// 1012) with the reports 1630 and 1631 every client of the camera gets,
// and their place in the saved camera settings.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "EngineClient.h"

using namespace engine;
using engine_test::EngineClient;
using engine_test::MessageSink;

namespace {

constexpr long kIndicatorCamera = 1;  // "Test Camera B", type 14
const long kMode = static_cast<long>(kModeChangedNumber);

// A client of the indicator camera with its notification window.
struct Viewer {
  EngineClient client;
  MessageSink sink;
  void Open() {
    ASSERT_EQ(S_OK, client.Create());
    ASSERT_EQ(S_OK, client.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink.Window()))));
    ASSERT_EQ(S_OK, client.Connect(kIndicatorCamera));
  }
  long Value(long number) const {
    long value = -1;
    if (number == kMode) {
      EXPECT_EQ(S_OK, client.InqLong(kCmdMode, kModeRead, &value));
    } else {
      EXPECT_EQ(S_OK, client.InqLong(kCmdProperty, number, &value));
    }
    return value;
  }
  std::vector<MSG> Received(UINT message) {
    std::vector<MSG> found;
    for (const MSG& m : sink.Pump(0)) {
      if (m.message == message) found.push_back(m);
    }
    return found;
  }
};

HRESULT CameraChanges(const EngineClient& client, long number, long value) {
  const std::int32_t input[2] = {number, value};
  return client.Exec(kScenarioIndicator, kIndicatorCamera, input, sizeof(input));
}

TEST(EngineIndicators, StartFromTheConfigurationAndAreShownOnConnect) {
  Viewer viewer;
  ASSERT_NO_FATAL_FAILURE(viewer.Open());
  const struct {
    long number, value;
  } configured[] = {{kPropIndicatorLevel, 2}, {kPropIndicatorReserved, 5}, {kPropIndicatorSwitch, 1},
                    {kPropIndicatorValue, 3}, {kMode, 1}};
  for (const auto& c : configured) EXPECT_EQ(c.value, viewer.Value(c.number)) << c.number;
  // Connecting an indicator camera asks the client to show (and, with a
  // level, to keep refreshing) its indicators; another camera does not.
  MSG shown{};
  ASSERT_TRUE(viewer.sink.WaitFor(kMsgIndicatorTimer, 3000, &shown));
  EXPECT_EQ(kIndicatorPollingOn, shown.wParam);
  EXPECT_EQ(2, shown.lParam);
  viewer.sink.Clear();
  ASSERT_EQ(S_OK, viewer.client.Connect(0));
  viewer.sink.Pump(200);
  EXPECT_EQ(0u, viewer.sink.Count(kMsgIndicatorTimer));
}

TEST(EngineIndicators, ChangesReachEveryClientOfTheCamera) {
  Viewer setter, bystander;
  ASSERT_NO_FATAL_FAILURE(setter.Open());
  ASSERT_NO_FATAL_FAILURE(bystander.Open());
  const EngineClient& by = setter.client;
  const struct {
    const char* what;
    std::function<HRESULT()> change;
    long number, value;
    bool setterHears;
    int polling;  // -1: no 1631, else its wParam (lParam = value)
  } cases[] = {
      {"client picks value 7", [&] { return by.ExecLong(kCmdProperty, kPropIndicatorValue, 7); }, kPropIndicatorValue, 7, false, -1},
      {"client switches off", [&] { return by.ExecLong(kCmdProperty, kPropIndicatorSwitch, 0); }, kPropIndicatorSwitch, 0, false, -1},
      {"client mode off", [&] { return by.Exec(kCmdMode, kModeOff); }, kMode, 0, false, -1},
      {"client mode on", [&] { return by.Exec(kCmdMode, kModeOn); }, kMode, 1, false, -1},
      {"camera changes 106", [&] { return CameraChanges(by, kPropIndicatorReserved, 9); }, kPropIndicatorReserved, 9, true, -1},
      {"camera loses its level", [&] { return CameraChanges(by, kPropIndicatorLevel, 0); }, kPropIndicatorLevel, 0, true, kIndicatorPollingOff},
      {"camera finds a level", [&] { return CameraChanges(by, kPropIndicatorLevel, 3); }, kPropIndicatorLevel, 3, true, kIndicatorPollingOn},
      {"camera level moves", [&] { return CameraChanges(by, kPropIndicatorLevel, 4); }, kPropIndicatorLevel, 4, true, -1},
      {"camera mode off", [&] { return CameraChanges(by, kMode, 0); }, kMode, 0, true, -1},
      {"camera mode on (any non-zero)", [&] { return CameraChanges(by, kMode, 5); }, kMode, 1, true, -1},
      {"client sets the level to 0", [&] { return by.ExecLong(kCmdProperty, kPropIndicatorLevel, 0); }, kPropIndicatorLevel, 0, false, kIndicatorPollingOff},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    setter.sink.Pump(50);
    setter.sink.Clear();
    bystander.sink.Clear();
    ASSERT_EQ(S_OK, c.change());
    ASSERT_TRUE(bystander.sink.WaitFor(kMsgPropertyChanged, 3000));
    setter.sink.Pump(100);
    for (Viewer* viewer : {&setter, &bystander}) {
      const bool hears = viewer == &bystander || c.setterHears;
      const std::vector<MSG> changed = viewer->Received(kMsgPropertyChanged);
      ASSERT_EQ(hears ? 1u : 0u, changed.size()) << (viewer == &setter ? "setter" : "bystander");
      if (hears) {
        EXPECT_EQ(static_cast<WPARAM>(c.number), changed[0].wParam);
        EXPECT_EQ(c.value, changed[0].lParam);
      }
      // The level's start and stop go to every client, the setter too.
      const std::vector<MSG> polling = viewer->Received(kMsgIndicatorTimer);
      ASSERT_EQ(c.polling < 0 ? 0u : 1u, polling.size());
      if (c.polling >= 0) {
        EXPECT_EQ(static_cast<WPARAM>(c.polling), polling[0].wParam);
        EXPECT_EQ(c.value, polling[0].lParam);
      }
      EXPECT_EQ(c.value, viewer->Value(c.number));
    }
  }
}

TEST(EngineIndicators, RefusesTheModeAsAPropertyAndBadScenarios) {
  Viewer viewer;
  ASSERT_NO_FATAL_FAILURE(viewer.Open());
  long value = 0;
  EXPECT_EQ(E_INVALIDARG, viewer.client.ExecLong(kCmdProperty, kMode, 1)) << "28 is the mode, not a property";
  EXPECT_EQ(E_INVALIDARG, viewer.client.InqLong(kCmdProperty, kMode, &value));
  const std::int32_t clientProperty[2] = {kPropMotionSensitivity, 5};
  EXPECT_EQ(E_INVALIDARG, viewer.client.Exec(kScenarioIndicator, kIndicatorCamera, clientProperty, sizeof(clientProperty)));
  const std::int32_t level[2] = {kPropIndicatorLevel, 1};
  EXPECT_EQ(E_INVALIDARG, viewer.client.Exec(kScenarioIndicator, 7, level, sizeof(level))) << "no camera 7";
  EXPECT_EQ(E_INVALIDARG, viewer.client.Exec(kScenarioIndicator, kIndicatorCamera, level, 4));
  EXPECT_EQ(E_INVALIDARG, viewer.client.Exec(kScenarioIndicator, kIndicatorCamera, nullptr, 8));
}

TEST(EngineIndicators, SettingsKeepTheUsersIndicatorsNotTheLevel) {
  Viewer owner, bystander;
  ASSERT_NO_FATAL_FAILURE(owner.Open());
  ASSERT_NO_FATAL_FAILURE(bystander.Open());
  SettingsRecord record{};
  record.size = sizeof(record);
  std::strcpy(record.key, "HKEY_CURRENT_USER\\Software\\Torvane\\EngineTest\\Indicators");
  record.value = 1;
  const struct {
    long number, saved, changed;
  } values[] = {{kPropIndicatorReserved, 11, 1}, {kPropIndicatorSwitch, 0, 1}, {kPropIndicatorValue, 4, 1}, {kMode, 1, 0}};
  for (const auto& v : values) ASSERT_EQ(S_OK, CameraChanges(owner.client, v.number, v.saved));
  ASSERT_EQ(S_OK, CameraChanges(owner.client, kPropIndicatorLevel, 3));
  ASSERT_EQ(S_OK, owner.client.ExecRecord(kCmdSettings, kSettingsSave, record));
  for (const auto& v : values) ASSERT_EQ(S_OK, CameraChanges(owner.client, v.number, v.changed));
  ASSERT_EQ(S_OK, CameraChanges(owner.client, kPropIndicatorLevel, 0));
  owner.sink.Pump(100);
  owner.sink.Clear();
  bystander.sink.Clear();
  ASSERT_EQ(S_OK, owner.client.ExecRecord(kCmdSettings, kSettingsLoad, record));
  bystander.sink.Pump(200);
  owner.sink.Pump(50);
  for (Viewer* viewer : {&owner, &bystander}) {
    // Every restored value is reported, to the loading client too.
    EXPECT_EQ(4u, viewer->Received(kMsgPropertyChanged).size());
    for (const auto& v : values) EXPECT_EQ(v.saved, viewer->Value(v.number)) << v.number;
    EXPECT_EQ(0, viewer->Value(kPropIndicatorLevel)) << "the level is the camera's reading";
  }
}

}  // namespace
