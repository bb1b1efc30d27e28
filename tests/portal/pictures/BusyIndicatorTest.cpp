// The busy indicator from the real LTovra2.dll: the dialog exists, plays
// its animation once in place of the placeholder, sits centred over the
// window it was shown for without taking activation, and is gone with its
// owner object.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/UniqueHandle.h"
#include "core/pictures/BusyIndicator.h"
#include "ui/controls/BusyAnimation.h"
#include "resources/LTovra2/LTovra2Ids.h"

namespace {

class BusyIndicatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_.reset(::LoadLibraryW(L"LTovra2.dll"));
    ASSERT_TRUE(resources_);
    window_.reset(::CreateWindowExW(0, L"STATIC", L"busy owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 500, 400,
                                    nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window_);
    ::SetActiveWindow(window_.get());
  }

  common::UniqueModule resources_;
  common::UniqueWindow window_;
};

RECT WindowRect(HWND window) {
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  return rect;
}

TEST_F(BusyIndicatorTest, PlaysCentredOverItsWindowWithoutActivation) {
  const HWND activeBefore = ::GetActiveWindow();
  portal::BusyIndicator indicator;
  ASSERT_TRUE(indicator.Show(resources_.get(), window_.get()));
  const HWND dialog = indicator.Handle();
  ASSERT_TRUE(::IsWindow(dialog));
  EXPECT_TRUE(::IsWindowVisible(dialog));
  EXPECT_TRUE(indicator.Animating()) << "AVI 289 opens from the resource module";

  using portal::controls::BusyAnimation;
  const HWND animation = ::GetDlgItem(dialog, BusyAnimation::kAnimationId);
  wchar_t className[32] = {}, name[32] = {};
  ::GetClassNameW(animation, className, 32);
  ::GetWindowTextW(animation, name, 32);
  EXPECT_STREQ(L"SysAnimate32", className);
  EXPECT_STREQ(L"Fotovel", name);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_BUSY_PLACEHOLDER))) << "the placeholder makes way";
  EXPECT_EQ(window_.get(), ::GetWindow(dialog, GW_OWNER));
  EXPECT_EQ(activeBefore, ::GetActiveWindow());

  const RECT owner = WindowRect(window_.get()), own = WindowRect(dialog);
  EXPECT_NEAR((owner.left + owner.right) / 2, (own.left + own.right) / 2, 1);
  EXPECT_NEAR((owner.top + owner.bottom) / 2, (own.top + own.bottom) / 2, 1);
  EXPECT_LT(own.right - own.left, owner.right - owner.left) << "a small window";

  indicator.Destroy();
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_EQ(nullptr, indicator.Handle());
}

TEST_F(BusyIndicatorTest, GoesAwayWithItsObject) {
  HWND dialog = nullptr;
  {
    portal::BusyIndicator indicator;
    ASSERT_TRUE(indicator.Show(resources_.get(), window_.get()));
    dialog = indicator.Handle();
    // A second Show replaces the first window rather than leaving it behind.
    ASSERT_TRUE(indicator.Show(resources_.get(), window_.get()));
    EXPECT_FALSE(::IsWindow(dialog));
    dialog = indicator.Handle();
  }
  EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(BusyIndicatorTest, NothingWithoutResources) {
  portal::BusyIndicator indicator;
  EXPECT_FALSE(indicator.Show(nullptr, window_.get()));
  EXPECT_EQ(nullptr, indicator.Handle());
}

}  // namespace
