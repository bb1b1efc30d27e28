// The main window's reactions in a test process: the real frmMain with the
// real control and engine, the shared fields set directly, motion values
// fed through the engine's scenario channel, a scripted prompt layer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "DispatchCall.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "PortalContract.h"
#include "PortalEventSink.h"
#include "TorvaneIds.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "frmMain.h"

namespace dispid = tovra2::dispid;

namespace {

using flow_tests::ScratchFolder;
using flow_tests::ScriptedPrompter;
using torvane::Global;

constexpr size_t kBitmapBytes320x240 = 54 + 320 * 240 * 3;

using flow_tests::IsTimeStampedName;
using flow_tests::PumpMessages;

// Counts the motion reports the control fires, next to frmMain's own sink.
class MotionCounter : public torvane::PortalEvents {
 public:
  void PortalNotification(long lMsg, LONG_PTR, LONG_PTR, LONG_PTR) override {
    if (lMsg == tovra2::kNotifyMotion) ++reports;
  }
  int reports = 0;
};

class MotionReaction : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ole_.emplace(); }
  static void TearDownTestSuite() { ole_.reset(); }
  static inline std::optional<common::OleInit> ole_;

  void SetUp() override {
    window_ = std::make_unique<torvane::frmMain>(context_);
    ASSERT_NE(nullptr, window_->Create(::GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    ASSERT_EQ(1, window_->vidPort().CameraConnected());
    common::ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, window_->Host()->Dispatch()->QueryInterface(IID_IConnectionPointContainer, container.put_void()));
    static const IID kEvents = {0x5BD1C3FD, 0x28E6, 0x4FB7, {0xB8, 0x41, 0xD0, 0x23, 0x46, 0xD2, 0x83, 0xA1}};
    ASSERT_EQ(S_OK, container->FindConnectionPoint(kEvents, point_.put()));
    sink_ = common::ComPtr<torvane::PortalEventSink>::Attach(new torvane::PortalEventSink(&counter_));
    ASSERT_EQ(S_OK, point_->Advise(sink_.get(), &cookie_));
  }

  void TearDown() override {
    if (point_) point_->Unadvise(cookie_);
    sink_->Detach();
    window_.reset();
    PumpMessages(50);
  }

  // The detector as its set-up dialog leaves it, acting from `startOffset`
  // seconds relative to now.
  void ArmDetector(long long startOffset) {
    torvane::ResetGlobals();
    auto& g = Global();
    g.MotionThreshold = 30;
    g.MotionSnap = true;
    g.PictureExt = L".bmp";
    g.StoreFolder = store_.Path();
    g.FilePrefix = L"motion-";
    g.MotionStart = torvane::NowLocalSeconds() + startOffset;
  }

  // Feeds the values (then zeros) and lets the engine report the given ones.
  void FeedMotion(std::vector<std::int32_t> values) {
    const int wanted = static_cast<int>(values.size());
    values.resize(values.size() + 40, 0);
    std::vector<testing_support::Variant> args;
    args.emplace_back(engine::kScenarioMotionValues);
    args.emplace_back(0L);
    args.emplace_back(0L);
    args.push_back(testing_support::Variant::Pointer(reinterpret_cast<LONG_PTR>(values.data())));
    args.emplace_back(static_cast<LONG>(values.size() * 4));
    args.push_back(testing_support::Variant::Pointer(0));
    args.emplace_back(0L);
    testing_support::CallResult result;
    ASSERT_EQ(S_OK, testing_support::Invoke(window_->Host()->Dispatch(), dispid::kSendCommand, DISPATCH_METHOD, args,
                                            &result));
    ASSERT_EQ(0, result.AsLong());
    counter_.reports = 0;
    window_->vidPort().SetCameraPropertyLong(engine::kPropMotionReport, -1);
    const DWORD start = ::GetTickCount();
    while (counter_.reports < wanted + 1 && ::GetTickCount() - start < 10000) PumpMessages(20);
    window_->vidPort().SetCameraPropertyLong(engine::kPropMotionReport, 0);
    PumpMessages(100);
    ASSERT_GE(counter_.reports, wanted);
  }

  ScratchFolder store_;
  ScratchFolder appFolder_;
  ScriptedPrompter prompter_;
  const torvane::ProgramEnd end_ = flow_tests::ThrowingEnd();
  torvane::ErrorTracker errors_{appFolder_.Path(), prompter_, end_};
  torvane::FlowContext context_{prompter_, errors_, end_};
  std::unique_ptr<torvane::frmMain> window_;
  MotionCounter counter_;
  common::ComPtr<torvane::PortalEventSink> sink_;
  common::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

TEST_F(MotionReaction, MotionAboveThresholdStoresATimeStampedPictureAndEqualIsIgnored) {
  ArmDetector(-5);
  FeedMotion({31, 30, 30});
  const std::vector<std::wstring> files = store_.Files();
  ASSERT_EQ(1u, files.size());
  EXPECT_TRUE(IsTimeStampedName(files[0], L"motion-", L".bmp"));
  EXPECT_EQ(kBitmapBytes320x240, flow_tests::ReadFileBytes(store_.File(files[0])).size());
  EXPECT_EQ(1, window_->MotionFileCount());
  EXPECT_EQ(store_.File(files[0]), Global().LastFileName);
  EXPECT_TRUE(window_->ControlVisible(IDC_SNAPSHOT));
  EXPECT_TRUE(window_->ControlVisible(IDC_MOTIONMESS));
  EXPECT_EQ(L"Image captured by motion detector!", window_->ControlText(IDC_MOTIONMESS));
  EXPECT_EQ(store_.File(files[0]), window_->ControlText(IDC_FILENAME));
  EXPECT_TRUE(prompter_.prompts.empty());
  EXPECT_EQ(0, Global().ErrorCount);
}

// A picture that did not reach its file (here: its folder is gone) is in
// the error log; it is neither announced nor counted, so the stop does not
// report a file that was never stored.
TEST_F(MotionReaction, APictureThatWasNotStoredIsNeitherAnnouncedNorCounted) {
  ArmDetector(-5);
  Global().StoreFolder = store_.File(L"gone");
  FeedMotion({60});
  EXPECT_EQ(0, window_->MotionFileCount());
  EXPECT_FALSE(window_->ControlVisible(IDC_MOTIONMESS));
  EXPECT_GT(Global().ErrorCount, 0);
  window_->SetButtonCaption(5, L"Stop motion detector");
  window_->ToolbarButtonClick(5);
  EXPECT_TRUE(prompter_.prompts.empty()) << "no \"Result\" for nothing stored";
  EXPECT_EQ(L"Motion detector", window_->ButtonCaption(5));
}

TEST_F(MotionReaction, ReportsBeforeMotionStartAreIgnored) {
  ArmDetector(+60);
  FeedMotion({90, 95});
  EXPECT_TRUE(store_.Files().empty());
  EXPECT_EQ(0, window_->MotionFileCount());
  EXPECT_FALSE(window_->ControlVisible(IDC_MOTIONMESS));
}

TEST_F(MotionReaction, StoppingTheDetectorReportsStoredFilesOnceAndResets) {
  ArmDetector(-5);
  window_->SetButtonCaption(5, L"Stop motion detector");
  window_->EnableButton(5, true);
  window_->SetMotionFileCount(3);
  prompter_.answers.push_back(L"&OK");
  window_->ToolbarButtonClick(5);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"3 files have been stored in " + store_.Path() + L" as a result of this motion detection operation.",
            prompter_.prompts[0].message);
  EXPECT_EQ(L"i", prompter_.prompts[0].icon);
  EXPECT_EQ(L"ok", prompter_.prompts[0].buttons);
  EXPECT_EQ(L"Result", prompter_.prompts[0].title);
  EXPECT_EQ(L"Motion detector", window_->ButtonCaption(5));
  EXPECT_EQ(0, window_->MotionFileCount());
  EXPECT_TRUE(Global().StoreFolder.empty());
  EXPECT_FALSE(Global().MotionStart.has_value());
  EXPECT_TRUE(window_->ButtonEnabled(1));
  EXPECT_EQ(L"", window_->StatusText(2));

  // With nothing stored there is no "Result" prompt; an unknown caption
  // does nothing at all.
  window_->SetButtonCaption(5, L"Stop motion detector");
  window_->ToolbarButtonClick(5);
  window_->SetButtonCaption(5, L"Something else");
  window_->ToolbarButtonClick(5);
  EXPECT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Something else", window_->ButtonCaption(5));
}

TEST_F(MotionReaction, RecordingEndedByTheControlShowsItsReasonAndOtherCodesNothing) {
  window_->PortalNotification(tovra2::kNotifyRecordingEnded, engine::kRecordingEndWriteFailure, 0, 0);
  ASSERT_EQ(1u, prompter_.systemMessages.size());
  EXPECT_EQ(L"3", prompter_.systemMessages[0]);
  for (long code : {0L, long{tovra2::kNotifyReconnectAttempted}, long{tovra2::kNotifyFormatChanged},
                    long{tovra2::kNotifyValueReport}, long{tovra2::kNotifyIndicatorTimer}}) {
    window_->PortalNotification(code, 1, 2, 3);
  }
  EXPECT_EQ(1u, prompter_.systemMessages.size());
  EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(MotionReaction, AboutPromptsAndHelpWithoutItsFileChangesNothing) {
  window_->MenuClick(IDM_ABOUT);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Torvane version 1.4", prompter_.prompts[0].message);
  EXPECT_EQ(L"i", prompter_.prompts[0].icon);
  EXPECT_EQ(L"OK", prompter_.prompts[0].buttons);
  EXPECT_EQ(L"About Torvane", prompter_.prompts[0].title);
  // No Torvane.chm beside the tests: Help and F1 show nothing, ask nothing.
  window_->MenuClick(IDM_HELP);
  ::SendMessageW(window_->Window(), WM_COMMAND, IDC_CMDHELP, 0);
  PumpMessages(50);
  EXPECT_EQ(1u, prompter_.prompts.size());
  EXPECT_TRUE(prompter_.systemMessages.empty());
  EXPECT_TRUE(::IsWindowVisible(window_->Window()));
}

TEST_F(MotionReaction, ButtonInitSwitchesMotionReportsOffBeforeACapture) {
  window_->vidPort().SetCameraPropertyLong(engine::kPropMotionReport, -1);
  window_->ShowFileName(true);
  EXPECT_TRUE(window_->ButtonInit());
  long reporting = 1;
  window_->vidPort().GetCameraPropertyLong(engine::kPropMotionReport, &reporting);
  EXPECT_EQ(0, reporting);
  EXPECT_FALSE(window_->ControlVisible(IDC_FILENAME));
  window_->ClearImageView();
  for (int id : {IDC_MOTIONMESS, IDC_SNAPSHOT, IDC_FILENAME, IDC_IMAGELABEL}) {
    EXPECT_FALSE(window_->ControlVisible(id)) << id;
  }
  EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(MotionReaction, StartUpShowsTheCameraAndLayoutFollowsTheDesign) {
  EXPECT_EQ(L"Connected to " + window_->CameraDescription(), window_->StatusText(1));
  EXPECT_FALSE(window_->CameraDescription().empty());
  EXPECT_TRUE(window_->ControlVisible(IDC_LIVEVIEW));
  // Every command's button is enabled, and its menu item with it.
  HMENU file = ::GetSubMenu(::GetMenu(window_->Window()), 0);
  const int items[6] = {IDM_SNAPSHOT, IDM_DELAYEDSNAP, IDM_SNAPSEQUENCE, IDM_MOVIE, IDM_MOTIONDETECT, IDM_TIMELAPSE};
  for (int button = 1; button <= 6; ++button) {
    EXPECT_TRUE(window_->ButtonEnabled(button)) << button;
    EXPECT_FALSE(::GetMenuState(file, items[button - 1], MF_BYCOMMAND) & MF_GRAYED) << button;
  }
  // Each toolbar button's tooltip, as the toolbar asks for it.
  const wchar_t* const tips[6] = {L"Capture video window as snap-shot",   L"Take a snap-shot in ? seconds time",
                                  L"Take a sequence of timed snap-shots", L"Record a movie",
                                  L"Set up or stop a motion detector",    L"Record a time-lapse movie"};
  HWND toolbarTips =
      reinterpret_cast<HWND>(::SendMessageW(::GetDlgItem(window_->Window(), IDC_TOOLBAR), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(nullptr, toolbarTips);
  for (int i = 0; i < 6; ++i) {
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetDlgItem(window_->Window(), IDC_TOOLBAR);
    tool.uId = IDT_BUTTON1 + i;
    tool.lpszText = text;
    ::SendMessageW(toolbarTips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tips[i], text) << "button " << i + 1;
  }
  // cmdHelp starts 100 twips (at this DPI) right of button 6.
  RECT help{}, toolbar{};
  ::GetWindowRect(::GetDlgItem(window_->Window(), IDC_CMDHELP), &help);
  HWND bar = ::GetDlgItem(window_->Window(), IDC_TOOLBAR);
  ::SendMessageW(bar, TB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&toolbar));
  ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&toolbar), 2);
  HDC screen = ::GetDC(nullptr);
  const int gap = ::MulDiv(100, ::GetDeviceCaps(screen, LOGPIXELSX), 1440);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(toolbar.right + gap, help.left);
  // The window sits at 100 twips from the screen's corner.
  RECT frame{};
  ::GetWindowRect(window_->Window(), &frame);
  EXPECT_EQ(gap, frame.left);
  EXPECT_EQ(gap, frame.top);
}

}  // namespace
