// The control's bar under Torvane's live picture, used as a user does: the
// resolution button's menu sets 640 x 480, the camera button's menu
// switches to the second camera and back. The snapshot after each change
// is left for djpeg, which reads its new size.
#include <fstream>

#include "Acceptance.h"
#include "common/Strings.h"

namespace acceptance {
namespace {

constexpr int kResolutionPane = 1;  // after the status pane
constexpr int kCameraPane = 2;

// Door's first picture is 160 x 120; Desk offers the engine's usual sizes.
constexpr char kTwoCameras[] =
    "[Engine]\r\nCameras=2\r\n[Camera0]\r\nName=Desk Camera\r\nSerial=21\r\n"
    "[Camera1]\r\nName=Door Camera\r\nSerial=22\r\nSizes=160x120,320x240\r\nInitialSize=160x120\r\n";

TEST_F(Acceptance, ResolutionAndCameraChosenFromTheBar) {
  const std::wstring config = OutFolder() + L"two-cameras.ini";
  std::ofstream(common::WideToAnsi(config)) << kTwoCameras;
  ASSERT_TRUE(Start(config));
  ASSERT_EQ(L"Connected to Desk Camera", App().StatusPanel1()) << "a run that ended on Door connects Door first";

  // Menu items 160, 320 and 640 x 480; then the instant snapshot.
  ASSERT_TRUE(User().BarMenu(kResolutionPane, 3, L"resolution-menu"));
  ::Sleep(500);  // the button names the new size
  User().Shot(App().MainWindow(), L"bar-640");
  ASSERT_TRUE(User().ToolbarButton(1));
  ASSERT_FALSE(User().Answer(L"Save?", IDOK).empty());
  SaveThroughDialog(OutFolder() + L"snapshot-640.jpg", L"This picture saved to ");

  // Cameras Desk and Door, a separator, the settings.
  ASSERT_TRUE(User().BarMenu(kCameraPane, 2, L"camera-menu"));
  ASSERT_TRUE(User().ToolbarButton(1));
  ASSERT_FALSE(User().Answer(L"Save?", IDOK).empty());
  SaveThroughDialog(OutFolder() + L"snapshot-door.jpg", L"This picture saved to ");
  ASSERT_TRUE(User().BarMenu(kCameraPane, 1));
}

}  // namespace
}  // namespace acceptance
