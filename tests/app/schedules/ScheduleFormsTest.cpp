// The schedule dialogs in the test process over a recording main window
// and a scripted prompt layer: where they stand, what they show when they
// load, their option clicks, Reset, Help, refused entries with the focus
// they leave, and the progress window's bar.
#include <gtest/gtest.h>

#include <windows.h>

#include "FlowTestSupport.h"
#include "Global.h"
#include "MousePointer.h"
#include "RecordingWindow.h"
#include "SaveFileDialog.h"
#include "ScheduleForms.h"
#include "TorvaneIds.h"
#include "common/Strings.h"

using namespace torvane;
using namespace flow_tests;

namespace {

class ScheduleForms_ : public ::testing::Test {
 protected:
  void SetUp() override { Global().ErrorCount = 0; }
  void Click(Form& form, int id) { ::SendMessageW(form.Item(id), BM_CLICK, 0, 0); }
  POINT TwipsOrigin(const Form& form) const {
    RECT rect{};
    ::GetWindowRect(form.Window(), &rect);
    return POINT{form.twips().FromPixelsX(rect.left), form.twips().FromPixelsY(rect.top)};
  }

  ScratchFolder logs_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  ErrorTracker tracker_{logs_.Path(), prompter_, end_};
  SYSTEMTIME now_{2025, 6, 0, 14, 10, 40, 0, 0};
  FlowContext context_{prompter_, tracker_, end_, logs_.File(L"pic.tmp"), [this] { return now_; }};
  RecordingWindow window_{nullptr};
  ScheduleForms forms_{context_, window_};
};

TEST_F(ScheduleForms_, MotionDetectorOptionsResetAndChecks) {
  frmMotion& form = forms_.motion;
  form.ShowModeless(nullptr);
  ASSERT_TRUE(form.Visible());
  EXPECT_NEAR(50, TwipsOrigin(form).x, 15);
  EXPECT_NEAR(50, TwipsOrigin(form).y, 15);
  EXPECT_EQ(L"1", form.Text(IDC_MO_DEGREE));
  EXPECT_EQ(common::ToLower(DocumentsFolder()), common::ToLower(Global().StoreFolder));
  EXPECT_FALSE(form.ItemVisible(IDC_MO_FORMATFRAME));

  Click(form, IDC_MO_MOVIESOUND);
  EXPECT_EQ(-1, Global().MotionSound);
  EXPECT_FALSE(form.ItemVisible(IDC_MO_FORMATFRAME));
  Click(form, IDC_MO_SNAPSHOT);
  EXPECT_TRUE(form.ItemVisible(IDC_MO_FORMATFRAME) && form.ItemVisible(IDC_MO_JPG));
  EXPECT_FALSE(form.Checked(IDC_MO_MOVIESOUND)) << "at most one action option";
  Click(form, IDC_MO_MOVIENOSOUND);
  EXPECT_EQ(0, Global().MotionSound);
  EXPECT_FALSE(form.ItemVisible(IDC_MO_FORMATFRAME));

  ::SetWindowTextW(form.Item(IDC_MO_DEGREE), L"55");
  Click(form, IDC_MO_CMDDO + 2);  // "&Reset"
  EXPECT_EQ(L"1", form.Text(IDC_MO_DEGREE));
  EXPECT_FALSE(form.Checked(IDC_MO_MOVIENOSOUND) || form.Checked(IDC_MO_ALARM) || form.Checked(IDC_MO_STARTNOW));
  Click(form, IDC_MO_CMDDO);  // "&Start" with no action
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Action?", prompter_.prompts[0].title);
  EXPECT_EQ(IDC_MO_SNAPSHOT, form.FocusedControl());
  EXPECT_TRUE(form.Loaded()) << "a refused start leaves the dialog open";

  Click(form, IDC_MO_CMDDO + 3);  // "&Help"
  EXPECT_EQ(std::vector<DWORD>{70}, window_.helpContexts);
  Click(form, IDC_MO_CMDDO + 1);  // "&Cancel"
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(kMotionDetectorCaption, window_.ButtonCaption(5)) << "cancelled: the main window as it was";
}

TEST_F(ScheduleForms_, TimedSequenceListsRefusalAndReset) {
  frmTimedSnaps& form = forms_.timedSnaps;
  form.ShowModeless(nullptr);
  ASSERT_TRUE(form.Visible());
  EXPECT_NEAR(250, TwipsOrigin(form).x, 15);
  // The lists start at the current hour and minute (10:40), their texts empty.
  for (int i = 0; i < 2; ++i) {
    HWND hours = form.Item(IDC_TS_HOURS + i), minutes = form.Item(IDC_TS_MINS + i);
    EXPECT_EQ(24, ::SendMessageW(hours, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(60, ::SendMessageW(minutes, CB_GETCOUNT, 0, 0));
    wchar_t first[8] = {}, last[8] = {};
    ::SendMessageW(hours, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    ::SendMessageW(hours, CB_GETLBTEXT, 23, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(L"10", first);
    EXPECT_STREQ(L"09", last);
    ::SendMessageW(minutes, CB_GETLBTEXT, 19, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(L"59", first);
    EXPECT_EQ(L"", form.Text(IDC_TS_HOURS + i));
  }
  EXPECT_TRUE(form.Checked(IDC_TS_BMP));

  ::SetWindowTextW(form.Item(IDC_TS_FREQ), L"10");
  ::SetWindowTextW(form.Item(IDC_TS_HOURS), L"10");  // an hour without its minutes
  Click(form, IDC_TS_CMDDO);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Please give time minutes as a number between 0-59!", prompter_.prompts[0].message);
  EXPECT_EQ(IDC_TS_MINS, form.FocusedControl());
  EXPECT_FALSE(form.Running());

  Click(form, IDC_TS_STARTCLICK);
  Click(form, IDC_TS_JPG);
  Click(form, IDC_TS_CMDDO + 2);  // "&Reset"
  for (int id : {IDC_TS_FREQ, IDC_TS_HOURS, IDC_TS_TOTAL, IDC_TS_PREFIX}) EXPECT_EQ(L"", form.Text(id)) << id;
  EXPECT_FALSE(form.Checked(IDC_TS_STARTCLICK) || form.Checked(IDC_TS_JPG));
  EXPECT_TRUE(form.Checked(IDC_TS_BMP));
  Click(form, IDC_TS_CMDDO + 3);
  EXPECT_EQ(std::vector<DWORD>{50}, window_.helpContexts);
  Click(form, IDC_TS_CMDDO + 1);
  EXPECT_FALSE(form.Loaded());
}

TEST_F(ScheduleForms_, DelayRefusesABadEntryThenCountsDown) {
  frmDelay& form = forms_.delay;
  form.ShowModeless(nullptr);
  ::SetWindowTextW(form.Item(IDC_DELAY_SECS), L"1 0");
  Click(form, IDC_DELAY_CMDDO);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Please enter a numeric value for the number of seconds delay!", prompter_.prompts[0].message);
  EXPECT_EQ(IDC_DELAY_SECS, form.FocusedControl());
  EXPECT_FALSE(form.ItemVisible(IDC_DELAY_COUNTFRAME));

  ::SetWindowTextW(form.Item(IDC_DELAY_SECS), L"1,000");
  Click(form, IDC_DELAY_CMDDO);
  EXPECT_EQ(L"Take picture in 1000 seconds time", form.Text(IDC_DELAY_COUNTDOWN));
  EXPECT_TRUE(form.ItemVisible(IDC_DELAY_COUNTFRAME) && form.ItemVisible(IDC_DELAY_SNAP));
  EXPECT_FALSE(form.ItemVisible(IDC_DELAY_INFO) || form.ItemVisible(IDC_DELAY_REDEX));
  EXPECT_FALSE(::IsWindowEnabled(form.Item(IDC_DELAY_CMDDO)));
  EXPECT_TRUE(MousePointer::Hourglass());
  Click(form, IDC_DELAY_CMDDO + 1);  // "&Cancel": no picture
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(MousePointer::Hourglass());
  EXPECT_TRUE(window_.loaded.empty());
}

TEST_F(ScheduleForms_, ProgressWindowLocksTheToolbarAndGrowsItsBar) {
  Global().FrameInterval = 10;
  Global().PicturesTaken = 1;
  Global().TotalPictures = 3;
  frmProgress& form = forms_.progress;
  form.ShowModeless(nullptr);
  EXPECT_NEAR(2000, TwipsOrigin(form).y, 15);
  EXPECT_FALSE(window_.buttonEnabled[4] || window_.helpEnabled);
  PumpMessages(1300);
  EXPECT_EQ(L"1 of 3 pictures captured", form.Text(IDC_PROG_NUMPICS));
  const Form::TwipsBox track = form.ItemBox(IDC_PROG_TRACK), segment = form.ItemBox(IDC_PROG_SEGMENT);
  EXPECT_TRUE(form.ItemVisible(IDC_PROG_SEGMENT));
  EXPECT_NEAR(track.width / 3, segment.width, 20);
  EXPECT_NE(form.ItemVisible(IDC_PROG_SNAP), form.ItemVisible(IDC_PROG_SNAP + 1)) << "one blink frame at a time";
  Click(form, IDC_PROG_CMDDO);  // "&Cancel"
  EXPECT_FALSE(form.Loaded());
  EXPECT_TRUE(window_.buttonEnabled[4] && window_.helpEnabled);
  EXPECT_EQ(L"", window_.status2);
}

}  // namespace
