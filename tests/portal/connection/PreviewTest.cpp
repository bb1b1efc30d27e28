// The live preview really reaches the screen: the engine's frames are
// painted by the control's preview window, so a capture of that screen
// area shows a changing picture, and the information screen comes back
// when the preview stops.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "HostedPortal.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineMessages.h"

namespace dispid = tovra2::dispid;

using portal_test::EngineConfigFile;
using portal_test::HostedPortal;
using testing_support::Variant;

namespace {

// The screen pixels under a window, as 32-bit BGRX, taken from the screen
// DC the way a screenshot tool reads them.
std::vector<std::uint32_t> CaptureScreenArea(HWND window, int* width, int* height) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  common::WindowDc screen(nullptr);
  common::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), *width, -*height, 1, 32, BI_RGB};
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint32_t> pixels;
  if (!dib) return pixels;
  common::SelectionGuard selected(memory.get(), dib.get());
  ::BitBlt(memory.get(), 0, 0, *width, *height, screen.get(), rect.left, rect.top, SRCCOPY);
  ::GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels.assign(first, first + static_cast<size_t>(*width) * *height);
  return pixels;
}

size_t DistinctColours(const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint32_t> sorted(pixels);
  for (auto& p : sorted) p &= 0xFFFFFF;
  std::sort(sorted.begin(), sorted.end());
  return static_cast<size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

size_t Differences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  size_t count = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
  return count;
}

class Preview : public portal_test::OleTest {};

TEST_F(Preview, LiveFramesReachTheScreenAndTheScreenReturnsWhenStopped) {
  EngineConfigFile config("[Engine]\nCameras=1\n[Camera0]\nName=Desk\nType=9\n");
  HostedPortal portal;
  ASSERT_TRUE(portal.Active());
  ASSERT_EQ(1, portal.Prepare());
  portal.ReloadEngineConfig(config.Path());
  HWND preview = ::GetWindow(portal.Window(), GW_CHILD);
  ASSERT_NE(nullptr, preview);

  // Before any camera: the information screen, a mostly white picture.
  portal.PumpFor(300);
  int width = 0, height = 0;
  const auto idle = CaptureScreenArea(preview, &width, &height);
  ASSERT_EQ(320, width);
  ASSERT_EQ(240, height);
  const size_t white = static_cast<size_t>(std::count_if(idle.begin(), idle.end(), [](std::uint32_t p) {
    return (p & 0xFFFFFF) == 0xFFFFFF;
  }));
  EXPECT_GT(white, idle.size() / 2) << "information screen";

  ASSERT_EQ(1, portal.Call(dispid::kConnectCamera2, {}));
  portal.Put(dispid::kEnablePreview, 1);
  ASSERT_EQ(1, portal.Get(dispid::kEnablePreview)) << "the engine reports the preview on";
  portal.PumpFor(1500);
  const auto first = CaptureScreenArea(preview, &width, &height);
  portal.PumpFor(1200);
  const auto second = CaptureScreenArea(preview, &width, &height);
  EXPECT_GT(DistinctColours(first), 50u) << "a camera picture, not a flat fill";
  EXPECT_GT(Differences(first, second), 100u) << "the picture moves";
  EXPECT_GT(Differences(idle, first), first.size() / 2) << "the live picture replaced the screen";

  portal.Put(dispid::kEnablePreview, 0);
  EXPECT_EQ(0, portal.Get(dispid::kEnablePreview));
  ASSERT_EQ(1, portal.Call(dispid::kDisconnectCamera, {}));  // DisconnectCamera
  ::SendMessageW(portal.Window(), engine::kMsgInterfaceRefresh, 0, 0);
  portal.PumpFor(300);
  const auto after = CaptureScreenArea(preview, &width, &height);
  EXPECT_LT(Differences(idle, after), after.size() / 4) << "an information screen again";
}

}  // namespace
