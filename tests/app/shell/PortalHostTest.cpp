// The application's own container with the real VideoPortal control and
// the real camera engine: in-place activation inside the live view, the
// typed late-bound wrapper, and PortalNotification reaching the sink.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "AppError.h"
#include "DispatchCall.h"
#include "PortalClient.h"
#include "PortalContract.h"
#include "PortalHost.h"
#include "common/ComInit.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "common/UniqueHandle.h"

namespace dispid = tovra2::dispid;

namespace {

using torvane::AppError;
using torvane::PortalClient;
using torvane::PortalHost;

constexpr wchar_t kRegistryKey[] = L"HKEY_CURRENT_USER\\Software\\Velkor\\TorvaneHostTest";

struct Notification {
  long code;
  LONG_PTR p1, p2, p3;
};

class Recorder : public torvane::PortalEvents {
 public:
  void PortalNotification(long lMsg, LONG_PTR p1, LONG_PTR p2, LONG_PTR p3) override {
    seen.push_back({lMsg, p1, p2, p3});
  }
  // Pumps until a notification with that code arrives (bounded).
  const Notification* WaitFor(long code, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
      for (const Notification& n : seen) {
        if (n.code == code) return &n;
      }
      if (::GetTickCount() - start > timeoutMs) return nullptr;
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  std::vector<Notification> seen;
};

// SendCommand on the engine's scenario channel.
long Scenario(IDispatch* control, long command, long sub, const void* data, long size) {
  std::vector<testing_support::Variant> args;
  args.emplace_back(command);
  args.emplace_back(sub);
  args.emplace_back(0L);
  args.push_back(testing_support::Variant::Pointer(reinterpret_cast<LONG_PTR>(data)));
  args.emplace_back(size);
  args.push_back(testing_support::Variant::Pointer(0));
  args.emplace_back(0L);
  testing_support::CallResult result;
  EXPECT_EQ(S_OK, testing_support::Invoke(control, dispid::kSendCommand, DISPATCH_METHOD, args, &result));
  return result.AsLong();
}

class HostWindow {
 public:
  HostWindow() {
    frame_.reset(::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 500, 400,
                                   nullptr, nullptr, nullptr, nullptr));
    liveView_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 330, 280,
                                  frame_.get(), nullptr, nullptr, nullptr);
    ::ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
  }
  HWND LiveView() const { return liveView_; }

 private:
  common::UniqueWindow frame_;
  HWND liveView_ = nullptr;
};

class PortalHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ole_.emplace(); }
  static void TearDownTestSuite() { ole_.reset(); }
  static inline std::optional<common::OleInit> ole_;

  HostWindow window_;
  Recorder events_;
  PortalHost host_{window_.LiveView(), &events_};
};

TEST_F(PortalHostTest, ControlIsActiveInPlaceInsideTheLiveViewAndReleasedOnClose) {
  ASSERT_EQ(S_OK, host_.Create(RECT{0, 0, 322, 268}));
  EXPECT_TRUE(host_.InPlaceActive());
  EXPECT_TRUE(host_.EventsConnected());
  HWND control = host_.ControlWindow();
  ASSERT_NE(nullptr, control);
  EXPECT_EQ(window_.LiveView(), ::GetParent(control));
  EXPECT_TRUE(::IsWindowVisible(control));

  // The container places the control; the control keeps its own size.
  host_.Move(RECT{4, 6, 204, 156});
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, window_.LiveView(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(4, rect.left);
  EXPECT_EQ(6, rect.top);

  host_.Close();
  EXPECT_FALSE(::IsWindow(control));
  EXPECT_EQ(0, host_.Site().OutstandingReferences());
  EXPECT_EQ(nullptr, host_.Dispatch());
}

TEST_F(PortalHostTest, WrapperCallsTheControlByDispidAndReportsComponentFailures) {
  ASSERT_EQ(S_OK, host_.Create(RECT{0, 0, 322, 268}));
  PortalClient vidPort(host_.DispatchPtr());
  // Before PrepareControl there is no engine: result 0, outputs untouched.
  long count = 77;
  EXPECT_EQ(0, vidPort.GetCameraCount(&count));
  EXPECT_EQ(77, count);
  EXPECT_EQ(0, vidPort.CameraConnected());
  EXPECT_EQ(-1, vidPort.CameraIndex());
  EXPECT_EQ(10, vidPort.CameraState());

  EXPECT_EQ(1, vidPort.PrepareControl(L"TorvaneHostTest", kRegistryKey, 0));
  EXPECT_EQ(1, vidPort.EnableUIElements(3, 0, 1));
  EXPECT_EQ(1, vidPort.ConnectCamera2());
  ASSERT_EQ(1, vidPort.CameraConnected());
  std::wstring description;
  EXPECT_EQ(1, vidPort.GetCameraDescription(0, &description));
  EXPECT_FALSE(description.empty());
  long width = 0, height = 0, depth = 0, fourCC = -1;
  EXPECT_EQ(1, vidPort.GetVideoFormat(&width, &height, &depth, &fourCC));
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  vidPort.SetMovieRecordAudio(0);  // a put: no result, no error
  EXPECT_EQ(1, vidPort.DisconnectCamera());
  EXPECT_EQ(0, vidPort.CameraConnected());

  // No control at all is a component failure: a negative number.
  PortalClient detached;
  try {
    detached.CameraConnected();
    ADD_FAILURE() << "no error";
  } catch (const AppError& error) {
    EXPECT_TRUE(error.FromComponent());
    EXPECT_EQ(static_cast<long>(E_POINTER), error.number);
    EXPECT_NE(std::wstring::npos, error.description.find(L"CameraConnected"));
  }
}

TEST_F(PortalHostTest, EngineReportsReachTheSinkAsPortalNotification) {
  ASSERT_EQ(S_OK, host_.Create(RECT{0, 0, 322, 268}));
  PortalClient vidPort(host_.DispatchPtr());
  ASSERT_EQ(1, vidPort.PrepareControl(L"TorvaneHostTest", kRegistryKey, 0));
  ASSERT_EQ(1, vidPort.ConnectCamera2());
  ASSERT_EQ(1, vidPort.CameraConnected());

  // Motion values fed to the engine come back as code 1 once reporting is on.
  const std::int32_t motion[] = {42, 42, 42, 42};
  ASSERT_EQ(0, Scenario(host_.Dispatch(), engine::kScenarioMotionValues, 0, motion, sizeof(motion)));
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, -1);
  const Notification* report = events_.WaitFor(tovra2::kNotifyMotion, 5000);
  ASSERT_NE(nullptr, report);
  EXPECT_EQ(42, report->p1);
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, 0);

  // A posted engine report with two values is forwarded with them.
  const std::int32_t post[] = {engine::kMsgValueReport, 7, 9};
  ASSERT_EQ(0, Scenario(host_.Dispatch(), engine::kScenarioPostMessage, 0, post, sizeof(post)));
  const Notification* forwarded = events_.WaitFor(tovra2::kNotifyValueReport, 5000);
  ASSERT_NE(nullptr, forwarded);
  EXPECT_EQ(7, forwarded->p1);
  EXPECT_EQ(9, forwarded->p2);

  // Unplugging the camera.
  ASSERT_EQ(0, Scenario(host_.Dispatch(), engine::kScenarioUnplug, 0, nullptr, 0));
  EXPECT_NE(nullptr, events_.WaitFor(tovra2::kNotifyCameraGone, 5000));

  // After Close nothing reaches the receiver any more.
  host_.Close();
  const size_t before = events_.seen.size();
  events_.WaitFor(-1, 300);
  EXPECT_EQ(before, events_.seen.size());
}

}  // namespace
