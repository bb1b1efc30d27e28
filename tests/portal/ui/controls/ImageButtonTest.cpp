// The image button and the corner button in a test window: faces read back
// from the screen, the hover and press states under synthesised mouse
// messages, the click notification, shapes, ids and cursors.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TestWindowHost.h"
#include "WindowPixels.h"
#include "ui/controls/ControlMessages.h"
#include "ui/controls/CornerButton.h"
#include "ui/controls/ImageButton.h"

namespace {

using namespace portal::controls;
using testing_support::PumpMessages;
using testing_support::TestWindowHost;
using testing_support::WindowPixels;

constexpr RECT kButtonRect = {10, 10, 50, 34};  // 40 x 24
constexpr COLORREF kMagenta = RGB(255, 0, 255), kRed = RGB(255, 0, 0);

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ImageButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.Record(ClickMessage());
    ASSERT_TRUE(button_.Create(host_.Window(), 1234, kButtonRect));
    CursorAt(host_.Window(), {300, 300});
  }

  // Where the real cursor rests, as a user's would.
  static void CursorAt(HWND window, POINT client) {
    const POINT screen = TestWindowHost::ScreenPoint(window, client);
    ::SetCursorPos(screen.x, screen.y);
    PumpMessages();
  }

  void Move(int x, int y, WPARAM keys = 0) { ::SendMessageW(button_.Handle(), WM_MOUSEMOVE, keys, At(x, y)); }
  COLORREF Background() { return WindowPixels(button_.Handle()).At(3, 3); }

  TestWindowHost host_;
  ImageButton button_;
};

TEST_F(ImageButtonTest, DefaultFaceFromTheSystemColours) {
  const ButtonColors expected = DefaultButtonColors(SystemButtonColors::Current());
  EXPECT_EQ(0, std::memcmp(&expected, &button_.Colors(), sizeof(expected)));
  const WindowPixels face(button_.Handle());
  ASSERT_TRUE(face.Valid());
  EXPECT_EQ(expected.normalBackground, face.At(3, 3));
  EXPECT_EQ(expected.lightBevel, face.At(20, 0)) << "light at the top";
  EXPECT_EQ(expected.lightBevel, face.At(0, 12)) << "light at the left";
  EXPECT_EQ(expected.darkBevel, face.At(20, 23)) << "dark at the bottom";
  EXPECT_EQ(expected.darkBevel, face.At(39, 12)) << "dark at the right";
  EXPECT_EQ(25, face.Count({1, 1, 39, 23}, expected.normalForeground)) << "an arrow of 9+7+5+3+1 pixels";

  button_.SetArrow(ArrowDirection::Down);
  const WindowPixels down(button_.Handle());
  EXPECT_EQ(9, down.Count({1, 10, 39, 11}, expected.normalForeground)) << "the base of a downward arrow is a row";
}

TEST_F(ImageButtonTest, HoverPressAndClickNotification) {
  button_.SetTarget(host_.Window());
  const ButtonColors& colors = button_.Colors();
  struct Seen {
    bool pressed;
    COLORREF top;
  } during = {};
  CursorAt(button_.Handle(), {20, 12});
  host_.OnRecorded([&](const testing_support::RecordedMessage&) {
    during = {button_.Pressed(), WindowPixels(button_.Handle()).At(20, 0)};
  });

  Move(20, 12);
  EXPECT_TRUE(button_.Hovering());
  EXPECT_TRUE(button_.Inside());
  EXPECT_EQ(colors.hoverBackground, Background());
  EXPECT_EQ(25, WindowPixels(button_.Handle()).Count({1, 1, 39, 23}, colors.hoverForeground));
  EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());

  ::SendMessageW(button_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 12));
  const auto clicks = host_.MessagesOf(ClickMessage());
  ASSERT_EQ(1u, clicks.size());
  EXPECT_EQ(1234u, clicks[0].wParam) << "the command id";
  EXPECT_EQ(reinterpret_cast<LPARAM>(&button_), clicks[0].lParam) << "the button object";
  EXPECT_TRUE(during.pressed);
  EXPECT_EQ(colors.darkBevel, during.top) << "the bevel is swapped while the owner handles the click";
  EXPECT_FALSE(button_.Pressed() || button_.Hovering() || button_.Inside()) << "all cleared after the click";

  Move(20, 12);
  ::SendMessageW(button_.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button_.Hovering() || button_.Inside());
  EXPECT_EQ(colors.normalBackground, Background());
}

TEST_F(ImageButtonTest, WithoutTargetOrPanelClicksDoNothing) {
  Move(20, 12);
  EXPECT_TRUE(button_.Hovering()) << "hovering shows without a target";
  EXPECT_FALSE(button_.Inside()) << "no shape test without a target";
  ::SendMessageW(button_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 12));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_FALSE(button_.Pressed());
}

TEST(ImageButtonLifetime, OwnerMayDestroyTheButtonWhileHandlingTheClick) {
  TestWindowHost host;
  auto button = std::make_unique<ImageButton>();
  ASSERT_TRUE(button->Create(host.Window(), 5, kButtonRect));
  button->SetTarget(host.Window());
  const HWND window = button->Handle();
  host.Answer(ClickMessage(), 0);
  host.OnRecorded([&](const testing_support::RecordedMessage&) { button.reset(); });
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(nullptr, button);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(ImageButtonTest, ColoursAndPictures) {
  const COLORREF normal = button_.Colors().normalBackground;
  EXPECT_EQ(LONG(normal), button_.SetColor(kNormalBackground, RGB(10, 120, 200)));
  WindowPixels blue(button_.Handle());
  EXPECT_EQ(RGB(10, 120, 200), blue.At(3, 3));
  EXPECT_EQ(RGB(93, 182, 247), blue.At(20, 0));
  EXPECT_EQ(RGB(6, 72, 120), blue.At(20, 23));
  EXPECT_EQ(kNoPreviousColor, button_.SetColor(kRestoreDefaultColors, 0));
  EXPECT_EQ(SystemDefaultButtonColors().normalBackground, Background());

  // An 8 x 8 picture centred at (16..23, 8..15), its corners transparent,
  // one pixel further right and down while pressed.
  button_.SetBitmap(testing_support::SquareWithCorners(8, kRed, kMagenta), kMagenta);
  const WindowPixels picture(button_.Handle());
  EXPECT_EQ(60, picture.Count({16, 8, 24, 16}, kRed));
  EXPECT_EQ(SystemDefaultButtonColors().normalBackground, picture.At(16, 8)) << "transparent corner";
  EXPECT_EQ(0, picture.Count({1, 1, 39, 23}, SystemDefaultButtonColors().normalForeground)) << "no arrow";
  button_.SetTarget(host_.Window());
  int pressedRed = 0;
  host_.OnRecorded([&](const testing_support::RecordedMessage&) {
    pressedRed = WindowPixels(button_.Handle()).Count({17, 9, 25, 17}, kRed);
  });
  ::SendMessageW(button_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 12));
  EXPECT_EQ(60, pressedRed);
}

class CornerButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostButton_ = ::CreateWindowExW(0, L"BUTTON", L"host", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 50,
                                    host_.Window(), reinterpret_cast<HMENU>(10), nullptr, nullptr);
    // Id 2299 is taken: the corner button gets the next one.
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, host_.Window(), reinterpret_cast<HMENU>(2299),
                      nullptr, nullptr);
  }
  TestWindowHost host_;
  HWND hostButton_ = nullptr;
};

bool InWindowRegion(HWND window, int x, int y) {
  common::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
  return ::GetWindowRgn(window, region.get()) != ERROR && ::PtInRegion(region.get(), x, y);
}

TEST_F(CornerButtonTest, QuarterDiskCutFromTheHostAndGivenBack) {
  CornerButton corner;
  ASSERT_TRUE(corner.Attach(hostButton_));
  const HWND button = corner.Button().Handle();
  EXPECT_EQ(2300, ::GetDlgCtrlID(button));
  RECT rect;
  ::GetWindowRect(button, &rect);
  ::MapWindowPoints(nullptr, host_.Window(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(99, rect.left);
  EXPECT_EQ(49, rect.top);
  EXPECT_EQ(21, rect.right - rect.left);
  EXPECT_EQ(21, rect.bottom - rect.top);

  struct Probe {
    HWND window;
    int x, y;
    bool inside;
  } probes[] = {
      {button, 20, 20, true},   // at the host's corner
      {button, 1, 20, true},    // 20 pixels from it
      {button, 0, 0, false},    // outside the circle
      {button, 5, 5, false},
      {hostButton_, 0, 0, true},
      {hostButton_, 78, 49, true},   // 22 pixels from the corner
      {hostButton_, 80, 49, false},  // 20.02 pixels
      {hostButton_, 99, 49, false},
      {hostButton_, 99, 20, true},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(p.inside, InWindowRegion(p.window, p.x, p.y))
        << (p.window == button ? "corner" : "host") << " at " << p.x << "," << p.y;
  }

  // Moves outside the disk show the arrow, inside the hand.
  corner.Button().SetTarget(host_.Window());
  ::SendMessageW(button, WM_MOUSEMOVE, 0, At(18, 18));
  EXPECT_TRUE(corner.Button().Inside());
  EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
  ::SendMessageW(button, WM_MOUSEMOVE, 0, At(1, 1));
  EXPECT_FALSE(corner.Button().Inside());
  EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
  const HCURSOR own = ::LoadCursorW(nullptr, IDC_CROSS);
  corner.Button().SetCursor(own);
  ::SendMessageW(button, WM_MOUSEMOVE, 0, At(18, 18));
  EXPECT_EQ(own, ::GetCursor());

  corner.Remove();
  EXPECT_FALSE(::IsWindow(button));
  common::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(ERROR, ::GetWindowRgn(hostButton_, region.get())) << "the host is a rectangle again";
  EXPECT_FALSE(corner.Attach(host_.Window())) << "a top-level window cannot host a corner button";
}

}  // namespace
