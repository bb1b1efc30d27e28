// The form base on a template of its own: modal display that ends
// when the form hides or unloads, a reloaded form as a new instance, the
// key preview and Enter order for modal and modeless forms, control arrays
// and window ticks that never re-enter their handler.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "FlowTestSupport.h"
#include "Form.h"
#include "FormTestIds.h"
#include "WindowTicks.h"

using namespace torvane;

namespace {

constexpr int kField = IDC_FORM_FIELD;
constexpr int kButtons = IDC_FORM_BUTTONS;  // elements 0-2 in the template

// A form whose handlers the test supplies.
class TestForm : public Form {
 public:
  TestForm() : Form(IDD_FORM_TEST) {}
  std::function<void(TestForm&)> onLoad;
  int loads = 0, unloads = 0, cancels = 0;
  using Form::CreateElement;
  using Form::SetEnterOrder;

 protected:
  void OnLoad() override {
    ++loads;
    SetEnterOrder({kField}, kButtons + 2);
    if (onLoad) onLoad(*this);
  }
  void OnUnload() override { ++unloads; }
  void OnCancel() override {
    ++cancels;
    Unload();
  }
};

using flow_tests::ErrorNumberOf;
using flow_tests::PumpMessages;

TEST(Form, ModalDisplayEndsWhenHiddenAndTheFormStaysLoadedUntilUnloaded) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
  TestForm form;
  WindowTicks ticks;
  bool ownerEnabledWhileShown = true;
  form.onLoad = [&](TestForm& f) {
    ticks.Start(f.Window(), [&] {
      ownerEnabledWhileShown = ::IsWindowEnabled(owner) != FALSE;
      f.Hide();
    }, 20);
  };
  form.ShowModal(owner);
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(ownerEnabledWhileShown);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  // Shown again: the same loaded instance, not loaded a second time.
  form.onLoad = nullptr;
  ticks.Start(form.Window(), [&] { ::PostMessageW(form.Window(), WM_CLOSE, 0, 0); }, 20);
  form.ShowModal(owner);
  EXPECT_EQ(1, form.loads);
  EXPECT_EQ(1, form.cancels);
  EXPECT_EQ(1, form.unloads);
  EXPECT_FALSE(form.Loaded());
  // Loaded afresh after it was unloaded.
  ASSERT_TRUE(form.Load(owner));
  EXPECT_EQ(2, form.loads);
  form.Unload();
  ::DestroyWindow(owner);
}

TEST(Form, EnterMovesAlongTheOrderInAModelessForm) {
  TestForm form;
  form.ShowModeless(nullptr);
  ASSERT_TRUE(form.Visible());
  ::SetFocus(form.Item(kField));
  ::PostMessageW(form.Item(kField), WM_KEYDOWN, VK_RETURN, 1);
  PumpMessages(100);
  EXPECT_EQ(kButtons + 2, form.FocusedControl()) << "Enter in the last field goes to the named control";
  EXPECT_EQ(0, form.cancels) << "the Enter was not taken for a button press";
  ::PostMessageW(form.Item(kButtons + 2), WM_KEYDOWN, VK_ESCAPE, 1);
  PumpMessages(100);
  EXPECT_EQ(1, form.cancels) << "Esc reaches the form through the dialog manager";
  EXPECT_FALSE(form.Loaded());
}

TEST(Form, ControlArraysCopyElementZero) {
  TestForm form;
  ASSERT_TRUE(form.Load(nullptr));
  EXPECT_EQ(kErrElementLoaded, ErrorNumberOf([&] { form.CreateElement(kButtons, 1); }));
  EXPECT_EQ(kErrInvalidArrayIndex, ErrorNumberOf([&] { form.CreateElement(kButtons, -1); }));
  EXPECT_EQ(kErrInvalidArrayIndex, ErrorNumberOf([&] { form.CreateElement(kButtons, Form::kMaxArrayIndex + 1); }));
  HWND copy = form.CreateElement(kButtons, 3);
  ASSERT_EQ(copy, form.Element(kButtons, 3));
  EXPECT_EQ(kButtons + 3, ::GetDlgCtrlID(copy));
  EXPECT_FALSE(::IsWindowVisible(copy));
  wchar_t caption[32] = {};
  ::GetWindowTextW(copy, caption, 32);
  EXPECT_STREQ(L"&OK", caption);
  const Form::TwipsBox first = form.ItemBox(kButtons), third = form.ItemBox(kButtons + 3);
  EXPECT_DOUBLE_EQ(first.left, third.left);
  EXPECT_DOUBLE_EQ(first.width, third.width);
  EXPECT_EQ(kErrElementLoaded, ErrorNumberOf([&] { form.CreateElement(kButtons, 3); }));
  form.Unload();
}

TEST(WindowTicks, AHandlerIsNeverEnteredAgainWhileItRuns) {
  TestForm form;
  ASSERT_TRUE(form.Load(nullptr));
  WindowTicks ticks;
  int entered = 0, deepest = 0, depth = 0;
  ticks.Start(form.Window(), [&] {
    ++entered;
    deepest = std::max(deepest, ++depth);
    if (entered == 1) PumpMessages(200);  // a prompt of the handler keeps the loop running
    --depth;
  }, 10);
  PumpMessages(400);
  ticks.Stop();
  EXPECT_EQ(1, deepest);
  EXPECT_GE(entered, 3) << "ticks go on once the handler has returned";
  const int stopped = entered;
  PumpMessages(100);
  EXPECT_EQ(stopped, entered);
  form.Unload();
}

}  // namespace
