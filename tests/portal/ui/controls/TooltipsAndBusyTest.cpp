// Tooltips' settings read back from the tooltip window, and the busy
// animation in a test window: its control, name, id and a single play of
// the real AVI 289 of LTovra2, seen through the control's start and stop
// notifications.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "TestWindowHost.h"
#include "common/UniqueHandle.h"
#include "ui/controls/BusyAnimation.h"
#include "ui/controls/Tooltips.h"

namespace {

using namespace portal::controls;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::TestWindowHost;

LRESULT Delay(HWND tips, WPARAM which) { return ::SendMessageW(tips, TTM_GETDELAYTIME, which, 0); }

std::wstring ToolText(HWND tips, HWND window, UINT_PTR id) {
  wchar_t text[128] = {};
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window;
  tool.uId = id;
  tool.lpszText = text;
  ::SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST(Tooltips, SettingsOfTheTipWindowAndItsTools) {
  TestWindowHost host;
  Tooltips tips;
  EXPECT_EQ(nullptr, tips.Handle()) << "made on first use";
  ASSERT_TRUE(tips.AddRectTool(host.Window(), 1, {0, 0, 50, 20}, L"A rectangle"));
  const HWND window = tips.Handle();
  ASSERT_NE(nullptr, window);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  EXPECT_STREQ(TOOLTIPS_CLASSW, className);
  EXPECT_TRUE(::GetWindowLongW(window, GWL_STYLE) & TTS_ALWAYSTIP) << "tips also for inactive windows";
  EXPECT_EQ(Tooltips::kMaxTipWidth, ::SendMessageW(window, TTM_GETMAXTIPWIDTH, 0, 0));
  EXPECT_EQ(10000, Delay(window, TTDT_AUTOPOP));
  EXPECT_EQ(LRESULT(::GetDoubleClickTime()), Delay(window, TTDT_INITIAL)) << "system delays otherwise";
  EXPECT_EQ(L"A rectangle", ToolText(window, host.Window(), 1));

  const HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 60, 0, 40, 20, host.Window(),
                                       nullptr, nullptr, nullptr);
  ASSERT_TRUE(tips.AddWindowTool(child, L"A child"));
  EXPECT_EQ(window, tips.Handle()) << "one tip window for all tools";
  EXPECT_EQ(2, ::SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0));
  EXPECT_EQ(Tooltips::kChildWindowDelayMs, Delay(window, TTDT_INITIAL)) << "child windows: automatic delay 10 ms";
  EXPECT_EQ(2, Delay(window, TTDT_RESHOW));
  EXPECT_EQ(10000, Delay(window, TTDT_AUTOPOP)) << "the pop-down stays at 10,000 ms";
  EXPECT_EQ(L"A child", ToolText(window, host.Window(), reinterpret_cast<UINT_PTR>(child)));

  tips.SetToolText(host.Window(), 1, L"Renamed");
  EXPECT_EQ(L"Renamed", ToolText(window, host.Window(), 1));
  tips.RemoveTool(host.Window(), 1);
  EXPECT_EQ(1, ::SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0));
}

class BusyAnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_.reset(::LoadLibraryW(L"LTovra2.dll"));
    ASSERT_TRUE(resources_);
    host_.Record(WM_COMMAND);
    placeholder_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 30, 40, 40, host_.Window(),
                                     reinterpret_cast<HMENU>(BusyAnimation::kPlaceholderId), nullptr, nullptr);
  }
  int Notifications(WORD code) {
    int count = 0;
    for (const auto& m : host_.MessagesOf(WM_COMMAND)) {
      count += LOWORD(m.wParam) == BusyAnimation::kAnimationId && HIWORD(m.wParam) == code;
    }
    return count;
  }

  common::UniqueModule resources_;
  TestWindowHost host_;
  HWND placeholder_ = nullptr;
};

TEST_F(BusyAnimationTest, TakesThePlaceholdersPlaceAndPlaysOnce) {
  bool playing = false;
  const HWND animation = BusyAnimation::Replace(host_.Window(), resources_.get(), &playing);
  ASSERT_NE(nullptr, animation);
  EXPECT_TRUE(playing);
  wchar_t className[32] = {}, name[32] = {};
  ::GetClassNameW(animation, className, 32);
  ::GetWindowTextW(animation, name, 32);
  EXPECT_STREQ(L"SysAnimate32", className);
  EXPECT_STREQ(L"Fotovel", name);
  EXPECT_EQ(BusyAnimation::kAnimationId, ::GetDlgCtrlID(animation));
  EXPECT_EQ(host_.Window(), ::GetParent(animation));
  EXPECT_EQ(LONG(WS_CHILD | WS_VISIBLE), ::GetWindowLongW(animation, GWL_STYLE) & (WS_CHILD | WS_VISIBLE));
  EXPECT_FALSE(::IsWindowVisible(placeholder_));
  RECT rect;
  ::GetWindowRect(animation, &rect);
  ::MapWindowPoints(nullptr, host_.Window(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(20, rect.left);
  EXPECT_EQ(30, rect.top);

  // The twelve frames at 12 a second end within about a second, once.
  EXPECT_TRUE(PumpUntil([&] { return Notifications(ACN_STOP) > 0; }, 10000)) << "the movie ends by itself";
  PumpFor(1200);
  EXPECT_EQ(1, Notifications(ACN_START));
  EXPECT_EQ(1, Notifications(ACN_STOP));
}

TEST_F(BusyAnimationTest, NoPlaceholderOrNoResources) {
  TestWindowHost bare;
  bool playing = true;
  EXPECT_EQ(nullptr, BusyAnimation::Replace(bare.Window(), resources_.get(), &playing));
  EXPECT_FALSE(playing);
  const HWND animation = BusyAnimation::Replace(host_.Window(), nullptr, &playing);
  EXPECT_NE(nullptr, animation) << "the control is there, without a movie";
  EXPECT_FALSE(playing);
}

}  // namespace
