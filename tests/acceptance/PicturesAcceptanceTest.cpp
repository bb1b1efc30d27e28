// Pictures as a user takes them, with the mouse and the keyboard only: the
// instant snapshot saved as a bitmap and as JPEG, the delayed snapshot, a
// timed sequence; no camera at start-up and a camera unplugged while
// Torvane runs. The pictures are left for djpeg and ImageMagick.
#include <fstream>

#include "Acceptance.h"
#include "EngineCommands.h"
#include "FlowTestSupport.h"
#include "TorvaneIds.h"
#include "common/Strings.h"

namespace acceptance {
namespace {

using shell_e2e::WaitUntil;

TEST_F(Acceptance, InstantSnapshotSavedAsBitmapAndJpegThenExitFromTheMenu) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(0u, App().StatusPanel1().find(L"Connected to "));
  const struct {
    const wchar_t* leaf;
    const wchar_t *promptShot, *saveShot;
  } snapshots[] = {{L"snapshot.bmp", L"save-prompt", L"save-dialog"}, {L"snapshot.jpg", nullptr, nullptr}};
  for (const auto& s : snapshots) {
    ASSERT_TRUE(User().ToolbarButton(1));
    EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image' window?",
              User().Answer(L"Save?", IDOK, s.promptShot));
    SaveThroughDialog(OutFolder() + s.leaf, L"This picture saved to ", s.saveShot);
  }
  User().Shot(App().MainWindow(), L"main-window");
  ASSERT_TRUE(User().FileMenu(6, L"file-menu"));  // "E&xit"
  EXPECT_EQ(0u, App().WaitForExit(20000));
}

TEST_F(Acceptance, DelayedSnapshotAfterItsCountDown) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(User().ToolbarButton(2));
  HWND delay = User().Dialog(L"Delayed snap-shot");
  ASSERT_NE(nullptr, delay);
  ASSERT_TRUE(User().Fill(delay, IDC_DELAY_SECS, L"2"));
  ASSERT_TRUE(User().Press(delay, IDC_DELAY_CMDDO));  // "&OK"
  ASSERT_TRUE(WaitUntil([&] { return Item(delay, IDC_DELAY_COUNTDOWN).find(L"Take picture in ") == 0; }, 5000));
  User().Shot(delay, L"delay");
  EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image'window?", User().Answer(L"Save?", IDOK));
  SaveThroughDialog(OutFolder() + L"delayed.jpg", L"This picture saved to ");
  EXPECT_TRUE(Gone(delay));
}

TEST_F(Acceptance, TimedSequenceOfTwoJpegPictures) {
  ASSERT_TRUE(Start());
  const std::wstring folder = OutFolder(L"sequence");
  ASSERT_TRUE(User().ToolbarButton(3));
  HWND dialog = User().Dialog(L"Timed sequence of snap-shots");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(User().Fill(dialog, IDC_TS_FREQ, L"1"));
  ASSERT_TRUE(User().Press(dialog, IDC_TS_STARTCLICK));
  ASSERT_TRUE(User().Fill(dialog, IDC_TS_TOTAL, L"2"));
  ASSERT_TRUE(User().Press(dialog, IDC_TS_JPG));
  ASSERT_TRUE(User().ChooseFolder(dialog, IDC_TS_DRIVE, IDC_TS_FOLDER, folder));
  User().Shot(dialog, L"sequence");
  ASSERT_TRUE(User().Press(dialog, IDC_TS_CMDDO));  // "&Start"
  EXPECT_EQ(0u, User().Answer(L"Warning!", IDOK, L"sequence-warning")
                    .find(L"Warning! You have specified the number of seconds between shots as 1 seconds."));
  HWND progress = User().Dialog(L"Snap-shot sequence");
  ASSERT_NE(nullptr, progress);
  ASSERT_TRUE(WaitUntil([&] { return Item(progress, IDC_PROG_MESS) == L"Taking a snap-shot every 1 seconds..."; },
                        5000));
  User().Shot(progress, L"progress");
  EXPECT_EQ(common::ToLower(L"Snap-shot sequence finished!\r\n\r\n2 picture files are in " + folder),
            common::ToLower(User().Answer(L"OK!", IDOK, L"sequence-finished")));
  size_t pictures = 0;
  for (const std::wstring& name : flow_tests::FilesIn(folder)) pictures += flow_tests::IsTimeStampedName(name, L"", L".jpg");
  EXPECT_EQ(2u, pictures);
}

TEST_F(Acceptance, NoCameraAtStartUpEveryCaptureAsksForOne) {
  const std::wstring config = OutFolder() + L"no-camera.ini";
  std::ofstream(common::WideToAnsi(config)) << "[Engine]\r\nCameras=0\r\n";
  ASSERT_TRUE(Start(config));
  EXPECT_EQ(L"No camera connected", App().StatusPanel1());
  User().Shot(App().MainWindow(), L"no-camera");
  ASSERT_TRUE(User().ToolbarButton(1));
  EXPECT_EQ(L"Please connect the camera to your computer's USB port!",
            User().Answer(L"Camera not connected!", IDOK, L"camera-not-connected"));
  EXPECT_FALSE(Exists(TempFile(L"pic.tmp")));
}

TEST_F(Acceptance, CameraUnpluggedEndsTorvaneAfterItsPrompt) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(1, App().Scenario(engine::kScenarioUnplug, 0));  // camera 0 goes
  EXPECT_EQ(0u, User().Answer(L"No camera!", IDOK, L"camera-detached")
                    .find(L"The camera has been detached from the computer!"));
  EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), App().WaitForExit(20000));
}

}  // namespace
}  // namespace acceptance
