// The schedules of the real Torvane.exe, driven as a user would: the
// delayed snapshot saved as JPEG, a timed sequence run to its end and one
// cancelled from its progress window, and the motion detector storing
// pictures from motion fed to Torvane's engine, then stopped. Pictures are
// left in e2e-out for djpeg on the Linux side.
#include <cstdint>

#include "EngineCommands.h"
#include "FlowTestSupport.h"
#include "TorvaneEndToEnd.h"
#include "common/Strings.h"

namespace shell_e2e {
namespace {

// An empty folder of e2e-out for a test's pictures.
std::wstring FreshFolder(const wchar_t* name) {
  const std::wstring folder = OutFolder() + name;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (const std::wstring& file : flow_tests::FilesIn(folder)) ::DeleteFileW((folder + L"\\" + file).c_str());
  return folder;
}

std::vector<std::wstring> TimeStamped(const std::wstring& folder, const std::wstring& prefix,
                                      const std::wstring& extension) {
  std::vector<std::wstring> names;
  for (const std::wstring& name : flow_tests::FilesIn(folder)) {
    if (flow_tests::IsTimeStampedName(name, prefix, extension)) names.push_back(name);
  }
  return names;
}

std::wstring Lower(const std::wstring& text) { return common::ToLower(text); }

// The capture commands of the toolbar that this build has, all enabled.
bool CaptureCommandsEnabled(const TorvaneProcess& torvane) {
  return torvane.ButtonEnabled(1) && torvane.ButtonEnabled(2) && torvane.ButtonEnabled(3) &&
         torvane.ButtonEnabled(5) && ::IsWindowEnabled(::GetDlgItem(torvane.MainWindow(), IDC_CMDHELP));
}

TEST_F(TorvaneEndToEnd, DelayedSnapshotOfTwoSecondsSavedAsJpeg) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring jpeg = OutFolder() + L"delayed.jpg";
  ::DeleteFileW(jpeg.c_str());
  torvane.Command(IDT_BUTTON2);
  HWND delay = torvane.WaitForDialog(L"Delayed snap-shot");
  ASSERT_NE(nullptr, delay);
  TorvaneProcess::Type(delay, IDC_DELAY_SECS, L"2");
  const DWORD started = ::GetTickCount();
  TorvaneProcess::Press(delay, IDC_DELAY_CMDDO);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(::GetDlgItem(delay, IDC_DELAY_CMDDO)); }, 5000));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(delay, IDC_DELAY_COUNTFRAME)));
  EXPECT_EQ(0u, WindowText(::GetDlgItem(delay, IDC_DELAY_COUNTDOWN)).find(L"Take picture in "));
  EXPECT_TRUE(torvane.SaveWindowPicture(OutFolder() + L"torvane-delay.bmp", delay));

  HWND prompt = torvane.WaitForDialog(L"Save?");
  ASSERT_NE(nullptr, prompt);
  EXPECT_GE(::GetTickCount() - started, 1900u) << "the picture came before its delay";
  EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image'window?",
            TorvaneProcess::PromptMessage(prompt));
  EXPECT_FALSE(::IsWindowVisible(delay)) << "the delay dialog hides for the question";
  EXPECT_TRUE(torvane.ChildVisible(IDC_SNAPSHOT));
  TorvaneProcess::Press(prompt, IDOK);  // "&Yes"
  HWND save = torvane.WaitForDialog(L"Save Image File.");
  ASSERT_NE(nullptr, save);
  TorvaneProcess::SaveAs(save, jpeg);
  EXPECT_TRUE(WaitUntil([&] { return torvane.ChildText(IDC_FILENAME) == L"This picture saved to " + jpeg; }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(delay); }, 5000)) << "the dialog is unloaded at the end";
  EXPECT_TRUE(WaitUntil([&] { return !Exists(TempPicture()); }, 5000));
  EXPECT_EQ(0xFF, ReadAll(jpeg).at(0));
  EXPECT_EQ(0u, torvane.Close());
}

// The timed sequence dialog filled in: every `interval` seconds from the
// click, `total` pictures, the format and the folder.
HWND StartSequence(TorvaneProcess& torvane, const wchar_t* interval, const wchar_t* total, bool jpeg,
                   const std::wstring& folder) {
  torvane.Command(IDT_BUTTON3);
  HWND dialog = torvane.WaitForDialog(L"Timed sequence of snap-shots");
  if (!dialog) return nullptr;
  TorvaneProcess::Type(dialog, IDC_TS_FREQ, interval);
  TorvaneProcess::Click(dialog, IDC_TS_STARTCLICK);
  TorvaneProcess::Type(dialog, IDC_TS_TOTAL, total);
  if (jpeg) TorvaneProcess::Click(dialog, IDC_TS_JPG);
  EXPECT_TRUE(TorvaneProcess::ChooseFolder(dialog, IDC_TS_DRIVE, IDC_TS_FOLDER, folder));
  torvane.SaveWindowPicture(OutFolder() + L"torvane-sequence.bmp", dialog);
  TorvaneProcess::Press(dialog, IDC_TS_CMDDO);  // "&Start"
  return dialog;
}

TEST_F(TorvaneEndToEnd, SequenceOfTwoPicturesRunsToItsEnd) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring folder = FreshFolder(L"sequence");
  HWND dialog = StartSequence(torvane, L"1", L"2", true, folder);
  ASSERT_NE(nullptr, dialog);
  HWND warning = torvane.WaitForDialog(L"Warning!");
  ASSERT_NE(nullptr, warning);
  EXPECT_EQ(0u, TorvaneProcess::PromptMessage(warning).find(
                    L"Warning! You have specified the number of seconds between shots as 1 seconds."));
  TorvaneProcess::Press(warning, IDOK);  // "&Yes"

  HWND progress = torvane.WaitForDialog(L"Snap-shot sequence");
  ASSERT_NE(nullptr, progress);
  EXPECT_FALSE(::IsWindowVisible(dialog)) << "the set-up dialog hides while the sequence runs";
  EXPECT_TRUE(WaitUntil([&] { return !torvane.ButtonEnabled(1) && !torvane.ButtonEnabled(3); }, 5000));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(torvane.MainWindow(), IDC_CMDHELP)));
  EXPECT_EQ(L"Taking a snap-shot every 1 seconds...", WindowText(::GetDlgItem(progress, IDC_PROG_MESS)));
  ::Sleep(1200);  // a tick of the progress window's display
  EXPECT_TRUE(torvane.SaveWindowPicture(OutFolder() + L"torvane-progress.bmp", progress));

  HWND finished = torvane.WaitForDialog(L"OK!");
  ASSERT_NE(nullptr, finished);
  EXPECT_EQ(Lower(L"Snap-shot sequence finished!\r\n\r\n2 picture files are in " + folder),
            Lower(TorvaneProcess::PromptMessage(finished)));
  EXPECT_FALSE(::IsWindow(progress)) << "the progress window goes before the message";
  TorvaneProcess::Press(finished, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return CaptureCommandsEnabled(torvane); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
  const std::vector<std::wstring> pictures = TimeStamped(folder, L"", L".jpg");
  ASSERT_EQ(2u, pictures.size()) << "two pictures, two seconds apart, under different names";
  for (const std::wstring& name : pictures) EXPECT_EQ(0xFF, ReadAll(folder + L"\\" + name).at(0)) << name;
  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(TorvaneEndToEnd, SequenceCancelledFromItsProgressWindowKeepsItsPicture) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring folder = FreshFolder(L"cancelled");
  ASSERT_NE(nullptr, StartSequence(torvane, L"5", L"3", false, folder));
  HWND progress = torvane.WaitForDialog(L"Snap-shot sequence", 20000);
  ASSERT_NE(nullptr, progress);
  ASSERT_TRUE(WaitUntil([&] { return TimeStamped(folder, L"", L".bmp").size() == 1; }, 5000));
  TorvaneProcess::Press(progress, IDC_PROG_CMDDO);  // "&Cancel"
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(progress); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return CaptureCommandsEnabled(torvane); }, 5000));
  ::Sleep(7000);  // longer than the interval: the sequence has really ended
  EXPECT_EQ(nullptr, torvane.WaitForDialog(L"OK!", 100)) << "a cancelled sequence shows no message";
  const std::vector<std::wstring> pictures = TimeStamped(folder, L"", L".bmp");
  ASSERT_EQ(1u, pictures.size());
  ExpectBitmap320x240(ReadAll(folder + L"\\" + pictures[0]));
  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(TorvaneEndToEnd, MotionDetectorStoresPicturesOfMotionUntilStopped) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring folder = FreshFolder(L"motion");
  torvane.Command(IDT_BUTTON5);
  HWND dialog = torvane.WaitForDialog(L"Motion detector");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"1", WindowText(::GetDlgItem(dialog, IDC_MO_DEGREE)));
  TorvaneProcess::Type(dialog, IDC_MO_DEGREE, L"30");
  TorvaneProcess::Click(dialog, IDC_MO_SNAPSHOT);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(dialog, IDC_MO_FORMATFRAME)) != FALSE; }, 5000));
  TorvaneProcess::Click(dialog, IDC_MO_STARTNOW);
  TorvaneProcess::Type(dialog, IDC_MO_PREFIX, L"motion-");
  ASSERT_TRUE(TorvaneProcess::ChooseFolder(dialog, IDC_MO_DRIVE, IDC_MO_FOLDER, folder));
  EXPECT_TRUE(torvane.SaveWindowPicture(OutFolder() + L"torvane-motion.bmp", dialog));
  TorvaneProcess::Press(dialog, IDC_MO_CMDDO);  // "&Start"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
  EXPECT_TRUE(torvane.ButtonEnabled(5));
  EXPECT_FALSE(torvane.ButtonEnabled(1) || torvane.ButtonEnabled(2) || torvane.ButtonEnabled(3));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(torvane.MainWindow(), IDC_CMDHELP)));

  // Reports count from the second after the start; the synthetic scene
  // alone stays below 30. Two moments of motion, a second apart.
  for (int moment = 1; moment <= 2; ++moment) {
    ::Sleep(1100);
    const std::int32_t motion[] = {60};
    ASSERT_EQ(1, torvane.Scenario(engine::kScenarioMotionValues, 0, motion, sizeof(motion)));
    ASSERT_TRUE(WaitUntil([&] { return TimeStamped(folder, L"motion-", L".bmp").size() == size_t(moment); }, 10000))
        << "moment " << moment;
  }
  EXPECT_EQ(L"Image captured by motion detector!", torvane.ChildText(IDC_MOTIONMESS));

  torvane.Command(IDT_BUTTON5);  // "Stop motion detector"
  HWND result = torvane.WaitForDialog(L"Result");
  ASSERT_NE(nullptr, result);
  EXPECT_EQ(Lower(L"2 files have been stored in " + folder + L" as a result of this motion detection operation."),
            Lower(TorvaneProcess::PromptMessage(result)));
  TorvaneProcess::Press(result, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return CaptureCommandsEnabled(torvane); }, 5000));
  for (const std::wstring& name : TimeStamped(folder, L"motion-", L".bmp")) {
    ExpectBitmap320x240(ReadAll(folder + L"\\" + name));
  }
  EXPECT_EQ(0u, torvane.Close());
}

}  // namespace
}  // namespace shell_e2e
