// The real Torvane.exe with the synthetic camera, driven as a user would:
// toolbar commands posted to its main window, its prompts and save dialog
// answered. Saved files are left in e2e-out for the Linux-side checks
// (djpeg) that run after this test.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "CameraEngine.h"
#include "EngineCommands.h"
#include "EngineLaunch.h"
#include "KillProcess.h"
#include "TorvaneIds.h"
#include "TorvaneEndToEnd.h"
#include "TorvaneProcess.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"
#include "common/Module.h"

namespace shell_e2e {
namespace {

TEST_F(TorvaneEndToEnd, SnapshotSavedAsJpegBitmapAndUpperCaseJpgName) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  EXPECT_EQ(L"Torvane Webcam Wizard", WindowText(torvane.MainWindow()));
  EXPECT_EQ(0u, torvane.StatusPanel1().find(L"Connected to "));
  EXPECT_TRUE(torvane.ChildVisible(IDC_LIVEVIEW));
  // The live view holds the control's whole window, the bar under the
  // picture included; the motion label lies below the live view.
  const HWND bar = torvane.PaneBar();
  ASSERT_NE(nullptr, bar);
  EXPECT_TRUE(::IsWindowVisible(bar));
  const RECT view = torvane.ChildRect(IDC_LIVEVIEW);
  const RECT control = TorvaneProcess::ScreenRect(::GetParent(bar));
  RECT both{};
  ::UnionRect(&both, &view, &control);
  EXPECT_TRUE(::EqualRect(&both, &view)) << "control " << control.left << "," << control.top << " - "
                                         << control.right << "," << control.bottom << "; live view " << view.left
                                         << "," << view.top << " - " << view.right << "," << view.bottom;
  EXPECT_GE(control.bottom, TorvaneProcess::ScreenRect(bar).bottom);
  EXPECT_LE(view.bottom, torvane.ChildRect(IDC_MOTIONMESS).top);

  const std::wstring jpeg = OutFolder() + L"snapshot.jpg";
  SaveSnapshotAs(torvane, jpeg);
  const std::vector<unsigned char> jpegBytes = ReadAll(jpeg);
  ASSERT_GT(jpegBytes.size(), 1000u);
  EXPECT_EQ(0xFF, jpegBytes[0]);
  EXPECT_EQ(0xD8, jpegBytes[1]);
  // The main window now shows the live picture and the captured image.
  ::Sleep(500);  // let the live view draw a few new frames
  EXPECT_TRUE(torvane.SaveWindowPicture(OutFolder() + L"torvane-main-window.bmp"));

  const std::wstring bitmap = OutFolder() + L"snapshot.bmp";
  SaveSnapshotAs(torvane, bitmap);
  ExpectBitmap320x240(ReadAll(bitmap));

  // Only the lower-case extension selects JPEG: this is the bitmap itself.
  const std::wstring upper = OutFolder() + L"snapshot-upper.JPG";
  SaveSnapshotAs(torvane, upper);
  ExpectBitmap320x240(ReadAll(upper));

  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(TorvaneEndToEnd, DeclinedOrCancelledSnapshotSavesNothing) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring never = OutFolder() + L"never-saved.bmp";
  ::DeleteFileW(never.c_str());

  // "&No": the view is hidden and the temporary picture removed.
  HWND prompt = SnapshotUpToSavePrompt(torvane);
  ASSERT_NE(nullptr, prompt);
  TorvaneProcess::Press(prompt, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(TempPicture()); }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return !torvane.ChildVisible(IDC_SNAPSHOT); }, 5000));
  EXPECT_FALSE(torvane.ChildVisible(IDC_IMAGELABEL));

  // Cancel in the save dialog: nothing saved, the view hidden, the
  // temporary picture kept for the next snapshot to overwrite.
  prompt = SnapshotUpToSavePrompt(torvane);
  ASSERT_NE(nullptr, prompt);
  TorvaneProcess::Press(prompt, IDOK);
  HWND save = torvane.WaitForDialog(L"Save Image File.");
  ASSERT_NE(nullptr, save);
  TorvaneProcess::Press(save, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !torvane.ChildVisible(IDC_SNAPSHOT); }, 10000));
  EXPECT_FALSE(Exists(never));
  EXPECT_TRUE(Exists(TempPicture()));
  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(TorvaneEndToEnd, WithoutCameraEveryCaptureCommandAsksForOne) {
  const std::wstring config = OutFolder() + L"no-camera.ini";
  std::ofstream(config.c_str()) << "[Engine]\r\nCameras=0\r\n";
  TorvaneProcess torvane(Environment(config));
  ASSERT_TRUE(torvane.Started());
  EXPECT_EQ(L"No camera connected", torvane.StatusPanel1());
  EXPECT_FALSE(torvane.ChildVisible(IDC_LIVEVIEW));
  for (int command : {IDT_BUTTON1, IDM_SNAPSHOT}) {
    torvane.Command(command);
    HWND prompt = torvane.WaitForDialog(L"Camera not connected!");
    ASSERT_NE(nullptr, prompt) << command;
    EXPECT_EQ(L"Please connect the camera to your computer's USB port!", TorvaneProcess::PromptMessage(prompt));
    TorvaneProcess::Press(prompt, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }, 5000));
  }
  EXPECT_FALSE(Exists(TempPicture()));
  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(TorvaneEndToEnd, UnpluggedCameraEndsTheProgramAfterItsPrompt) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  // A modal prompt is open when the camera goes: the program still ends.
  torvane.Command(IDM_ABOUT);
  HWND about = torvane.WaitForDialog(L"About Torvane");
  ASSERT_NE(nullptr, about);
  EXPECT_EQ(L"Torvane version 1.4", TorvaneProcess::PromptMessage(about));

  common::ComPtr<ICameraEngine> engine;
  ASSERT_EQ(S_OK, CreateCameraEngine(engine.put()));
  ASSERT_EQ(S_OK, engine->Execute(engine::kScenarioUnplug, 0, 0, nullptr, 0, nullptr, 0));  // camera 0
  HWND detached = torvane.WaitForDialog(L"No camera!");
  ASSERT_NE(nullptr, detached);
  EXPECT_EQ(L"The camera has been detached from the computer!\r\n\r\nTorvane will now terminate. To resume, please "
            L"re-connect the camera and start Torvane again",
            TorvaneProcess::PromptMessage(detached));
  TorvaneProcess::Press(detached, IDOK);
  EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), torvane.WaitForExit(20000));
  engine.reset();
}

// The same prompt and end when the engine's process dies under Torvane
// (killed as a crash would end it): the control notices by itself, with
// no call of Torvane's failing first.
TEST_F(TorvaneEndToEnd, KilledEngineEndsTheProgramAfterTheNoCameraPrompt) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const DWORD engineId = RunningEngineProcessId();
  ASSERT_NE(0u, engineId);
  ASSERT_TRUE(testing_support::KillProcess(engineId));
  HWND detached = torvane.WaitForDialog(L"No camera!");
  ASSERT_NE(nullptr, detached) << "Torvane was not told that the engine went away";
  EXPECT_EQ(0u, TorvaneProcess::PromptMessage(detached).find(L"The camera has been detached from the computer!"));
  EXPECT_TRUE(torvane.SaveWindowPicture(OutFolder() + L"torvane-engine-gone.bmp"));
  TorvaneProcess::Press(detached, IDOK);
  EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), torvane.WaitForExit(20000));
}

}  // namespace
}  // namespace shell_e2e
