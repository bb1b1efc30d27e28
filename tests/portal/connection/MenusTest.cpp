// The menus driven as a user would, with the real control and the real
// camera engine: the bar's click message opens a menu, the test reads the
// popup menu's items, chooses by keyboard or cancels, and checks the
// events, the camera, the format and motion reporting afterwards. The
// support probe of the real engine decides which sizes are offered.
#include <gtest/gtest.h>

#include "HostedPortal.h"
#include "MenuDriver.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "UserInput.h"
#include "engine/interface/EngineCommands.h"
#include "portal/ui/UiMessages.h"
#include "portal/ui/bar/PaneBar.h"

#include <commctrl.h>

namespace dispid = tovra2::dispid;
using testing_support::Variant;
using Lines = std::vector<std::string>;
using Codes = std::vector<std::pair<LONG, LONGLONG>>;

namespace {

// Camera 0 offers the show/hide command; camera 1 lacks 240 x 180.
const char kCameras[] =
    "[Engine]\nCameras=2\n"
    "[Camera0]\nName=Desk\nType=9\nVendorId=100\nSerial=11\nShowHide=1\nSizes=160x120,240x180,320x240,640x480\n"
    "[Camera1]\nName=Door\nType=9\nVendorId=101\nSerial=12\nShowHide=7\nSizes=160x120,320x240,640x480\n";

// Counts the show/hide broadcasts that reach a top-level window of another program.
int showHideReceived = 0;
LRESULT CALLBACK ShowHideListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ::RegisterWindowMessageW(L"WM_SHOW_HIDE_PUA") && wParam == 1) ++showHideReceived;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

class Menus : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    portal_ = std::make_unique<portal_test::HostedPortal>();
    ASSERT_TRUE(portal_->Active());
    ASSERT_EQ(1, portal_->Prepare(L"Software\\TorvaneTests\\Menus"));
    ASSERT_EQ(0, portal_->ReloadEngineConfig(config_.Path()));
    ASSERT_EQ(0, portal_->Scenario(engine::kScenarioForgetCamera, 0));
  }
  void TearDown() override {
    portal_.reset();
    OleTest::TearDown();
  }
  LONG Call(DISPID id, std::vector<LONG> values, LONG* out = nullptr) {
    std::vector<Variant> args(values.begin(), values.end());
    if (out) args.push_back(Variant::ByRef(out));
    return portal_->Call(id, std::move(args));
  }
  LONG Property(LONG property) {
    LONG value = -99;
    Call(dispid::kGetCameraPropertyLong, {property}, &value);
    return value;
  }
  // Connects with motion reporting on at 42; the engine's own motion
  // reports then carry 77, so that a value of 0 is the control's pause.
  void Connect(LONG index) {
    ASSERT_EQ(1, Call(dispid::kConnectCamera, {index}));
    ASSERT_EQ(1, Call(dispid::kSetCameraPropertyLong, {engine::kPropMotionReport, -1}));
    ASSERT_EQ(1, Call(dispid::kSetCameraPropertyLong, {engine::kPropMotionSensitivity, 42}));
    const std::vector<LONG> values(2000, 77);
    ASSERT_EQ(0, portal_->Scenario(engine::kScenarioMotionValues, 0, values.data(), 2000 * sizeof(LONG)));
  }
  Lines Drive(UINT clickMessage, UINT choose, WPARAM click = WM_LBUTTONDOWN) {
    portal_->Events().clear();
    testing_support::MenuDriver driver(choose);
    ::PostMessageW(portal_->Window(), clickMessage, click, 0);
    portal_->PumpUntil([&] { return driver.Done(); }, click == WM_LBUTTONDOWN ? 5000 : 500);
    portal_->PumpFor(100);  // the events of the choice
    return driver.Lines();
  }
  // The bar's pane at index clicked with the mouse (real input), the menu
  // it opens driven with real keys.
  Lines Click(int index, UINT choose) {
    portal_->PumpFor(600);  // the bar drops a repeated click within 500 ms
    portal_->Events().clear();
    const HWND bar = ::GetDlgItem(portal_->Window(), portal::kPaneBarId);
    RECT pane = {};
    if (!::SendMessageW(bar, SB_GETRECT, index, reinterpret_cast<LPARAM>(&pane))) return {"no pane"};
    testing_support::MenuDriver driver(choose, testing_support::MenuDriver::Keys::kReal);
    if (!testing_support::UserInput::Click(bar, POINT{(pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2})) {
      return {"pane covered"};
    }
    portal_->PumpUntil([&] { return driver.Done(); });
    portal_->PumpFor(100);  // the events of the choice
    return driver.Lines();
  }
  LONG FormatWidth() {
    LONG width = 0, height = 0, depth = 0;
    std::vector<Variant> args;
    for (LONG* out : {&width, &height, &depth, &depth}) args.push_back(Variant::ByRef(out));
    portal_->Call(dispid::kGetVideoFormat, std::move(args));
    return width;
  }
  std::wstring PaneText(int index) {
    wchar_t text[64] = {};
    const HWND bar = ::GetDlgItem(portal_->Window(), portal::kPaneBarId);
    if (LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, index, 0)) < 64) {
      ::SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text));
    }
    return text;
  }
  // The events apart from motion values, and whether a motion value of 0 came.
  Codes Fired(bool* paused = nullptr) const {
    Codes fired;
    for (const portal_test::Notification& n : portal_->Events()) {
      if (n.point != "default") continue;
      if (n.msg != tovra2::kNotifyMotion) fired.emplace_back(n.msg, n.p1);
      if (paused && n.msg == tovra2::kNotifyMotion && n.p1 == 0) *paused = true;
    }
    return fired;
  }
  void ExpectMotionRestored() {
    EXPECT_EQ(-1, Property(engine::kPropMotionReport));
    EXPECT_EQ(42, Property(engine::kPropMotionSensitivity));
  }

  portal_test::EngineConfigFile config_{kCameras};
  std::unique_ptr<portal_test::HostedPortal> portal_;
};

TEST_F(Menus, CameraMenuSwitchesCamerasAndBroadcastsShowHide) {
  Connect(0);
  portal_->Put(dispid::kEnablePreview, 1);
  EXPECT_EQ((Lines{"190 Desk checked default", "191 Door", "-", "200 Camera &settings...",
                   "201 Show or &hide the camera's tools"}),
            Drive(portal::kMsgCameraButton, 191));
  bool paused = false;
  EXPECT_EQ((Codes{{tovra2::kNotifyCameraSwitching, 1}, {tovra2::kNotifyCameraChanged, 1}}), Fired(&paused));
  EXPECT_TRUE(paused);
  EXPECT_EQ(1, portal_->Get(dispid::kCameraIndex));
  EXPECT_EQ(1, portal_->Get(dispid::kEnablePreview));
  ExpectMotionRestored();

  // Camera 1's property 31 is neither off nor on; cancelling, or the
  // current camera, switches nothing and gives motion reporting back.
  for (UINT choice : {0u, 191u}) {
    EXPECT_EQ((Lines{"190 Desk", "191 Door checked default", "-", "200 Camera &settings..."}),
              Drive(portal::kMsgCameraButton, choice));
    paused = false;
    EXPECT_TRUE(Fired(&paused).empty());
    EXPECT_TRUE(paused);
    ExpectMotionRestored();
  }

  // The show/hide command reaches the top-level windows of every program.
  showHideReceived = 0;
  WNDCLASSW listenerClass = {};
  listenerClass.lpszClassName = L"ShowHideListener";
  listenerClass.lpfnWndProc = ShowHideListenerProc;
  ::RegisterClassW(&listenerClass);
  const HWND listener = ::CreateWindowW(L"ShowHideListener", L"", WS_OVERLAPPED, 0, 0, 9, 9, 0, 0, 0, 0);
  Connect(0);
  Drive(portal::kMsgCameraButton, 201);
  EXPECT_TRUE(portal_->PumpUntil([] { return showHideReceived == 1; }));
  ::DestroyWindow(listener);
}

TEST_F(Menus, ResolutionMenuOffersWhatTheCameraSupports) {
  for (LONG element : {tovra2::kElementMenu240x180, tovra2::kElementMenu160x120}) {
    ASSERT_EQ(1, Call(dispid::kEnableUIElements, {element, 0, 1}));
  }
  Connect(0);
  EXPECT_EQ((Lines{"40001 &160 x 120", "40004 &240 x 180", "40002 &320 x 240 default", "40003 &640 x 480"}),
            Drive(portal::kMsgResolutionButton, 0));
  bool paused = false;
  EXPECT_TRUE(Fired(&paused).empty());
  EXPECT_FALSE(paused) << "a cancelled menu changes nothing";

  Connect(1);  // without 240 x 180: exactly that item is gone
  EXPECT_EQ((Lines{"40001 &160 x 120", "40002 &320 x 240 default", "40003 &640 x 480"}),
            Drive(portal::kMsgResolutionButton, 40003));
  EXPECT_EQ((Codes{{tovra2::kNotifyFormatChanged, 640}}), Fired(&paused));
  EXPECT_TRUE(paused);
  LONG width = 0, height = 0, depth = 0;
  std::vector<Variant> args;
  for (LONG* out : {&width, &height, &depth, &depth}) args.push_back(Variant::ByRef(out));
  portal_->Call(dispid::kGetVideoFormat, std::move(args));
  EXPECT_EQ(640, width);
  ExpectMotionRestored();
  EXPECT_EQ("40003 &640 x 480 default", Drive(portal::kMsgResolutionButton, 0).back());
  EXPECT_TRUE(Drive(portal::kMsgResolutionButton, 0, WM_RBUTTONDOWN).empty()) << "a right click opens nothing";
}

// As in Torvane: the bar comes before the camera, whose connection then
// enables the resolution button. Panes 116, 113 and 115 in that order.
TEST_F(Menus, BarPanesClickedOpenTheirMenus) {
  constexpr int kResolutionPane = 1, kCameraPane = 2;
  ASSERT_EQ(1, Call(dispid::kEnableUIElements, {tovra2::kElementStatusBar, 0, 1}));
  Connect(1);
  EXPECT_EQ(L"320 x 240", PaneText(kResolutionPane));
  EXPECT_EQ((Lines{"40001 &160 x 120", "40002 &320 x 240 default", "40003 &640 x 480"}),
            Click(kResolutionPane, 40003));
  bool paused = false;
  EXPECT_EQ((Codes{{tovra2::kNotifyFormatChanged, 640}}), Fired(&paused));
  EXPECT_TRUE(paused);
  EXPECT_EQ(640, FormatWidth());
  EXPECT_EQ(L"640 x 480", PaneText(kResolutionPane));
  ExpectMotionRestored();

  // Escape in the camera menu switches nothing and restores properties
  // 19 and 20; a camera chosen by keyboard is switched to.
  EXPECT_EQ((Lines{"190 Desk", "191 Door checked default", "-", "200 Camera &settings..."}), Click(kCameraPane, 0));
  paused = false;
  EXPECT_TRUE(Fired(&paused).empty());
  EXPECT_TRUE(paused);
  ExpectMotionRestored();
  EXPECT_EQ(4u, Click(kCameraPane, 190).size());
  EXPECT_EQ((Codes{{tovra2::kNotifyCameraSwitching, 0}, {tovra2::kNotifyCameraChanged, 0}}), Fired());
  EXPECT_EQ(0, portal_->Get(dispid::kCameraIndex));
  ExpectMotionRestored();

  // Escape in the resolution menu keeps the format.
  const LONG width = FormatWidth();
  EXPECT_EQ(3u, Click(kResolutionPane, 0).size());
  EXPECT_TRUE(Fired().empty());
  EXPECT_EQ(width, FormatWidth());
}

}  // namespace
