// The pane bar of the real control with the real engine: where it sits
// under the preview (read back as pixels), what EnableUIElements and the
// preview size do to it and to the window, the client's status text, the
// blinking status pane while a movie records, and the set-up link of the
// "camera missing" screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include <string>
#include <vector>

#include "HostedPortal.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "TempFolder.h"
#include "WindowPixels.h"
#include "common/Registry.h"
#include "engine/interface/EngineCommands.h"
#include "portal/ui/bar/PaneBar.h"

namespace dispid = tovra2::dispid;

using portal_test::EngineConfigFile;
using portal_test::HostedPortal;
using testing_support::Variant;
using testing_support::WindowPixels;

namespace {

constexpr int kBarId = portal::kPaneBarId;
constexpr int kStatusPane = 0;  // pane 116 comes first

std::vector<Variant> Args(std::initializer_list<LONG> values) { return std::vector<Variant>(values.begin(), values.end()); }

class Bar : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    portal_ = std::make_unique<HostedPortal>();
    ASSERT_TRUE(portal_->Active());
    ASSERT_EQ(1, portal_->Prepare(L"Software\\TorvaneTests\\Bar"));
    ASSERT_EQ(0, portal_->ReloadEngineConfig(config_.Path()));
  }
  void TearDown() override {
    portal_.reset();
    OleTest::TearDown();
  }
  LONG Enable(LONG element, LONG on) { return portal_->Call(dispid::kEnableUIElements, Args({element, 0, on})); }
  HWND BarWindow() const { return ::GetDlgItem(portal_->Window(), kBarId); }
  HWND Preview() const { return ::FindWindowExW(portal_->Window(), nullptr, L"Tovra2PreviewWindow", nullptr); }
  // A child's rectangle in the control's client coordinates.
  static RECT Placed(HWND child) {
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  SIZE Client() const {
    RECT client = {};
    ::GetClientRect(portal_->Window(), &client);
    return {client.right, client.bottom};
  }
  int Parts() const { return static_cast<int>(::SendMessageW(BarWindow(), SB_GETPARTS, 0, 0)); }
  std::wstring PaneText(int index) const {
    wchar_t text[128] = {};
    if (LOWORD(::SendMessageW(BarWindow(), SB_GETTEXTLENGTHW, index, 0)) < 128) {
      ::SendMessageW(BarWindow(), SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text));
    }
    return text;
  }
  // Early-bound: late-bound callers see S_OK for every success code.
  HRESULT PutStatusText(const wchar_t* text) {
    const BSTR value = ::SysAllocString(text);
    const HRESULT hr = portal_->EarlyBound()->put_StatusBarText(value);
    ::SysFreeString(value);
    return hr;
  }

  EngineConfigFile config_{"[Engine]\nCameras=1\n[Camera0]\nName=Desk\nType=9\nSerial=31\n"};
  std::unique_ptr<HostedPortal> portal_;
};

TEST_F(Bar, SitsUnderThePreviewAndGoesWithElementThree) {
  EXPECT_EQ(nullptr, BarWindow()) << "no bar until it is wanted";
  EXPECT_EQ(S_FALSE, PutStatusText(L"nobody reads this"));
  ASSERT_EQ(1, Enable(tovra2::kElementStatusBar, 1));
  const HWND bar = BarWindow();
  ASSERT_NE(nullptr, bar);
  const RECT placed = Placed(bar);
  EXPECT_EQ(0, placed.left);
  EXPECT_EQ(243, placed.top) << "preview height + 3";
  EXPECT_EQ(320, placed.right - placed.left);
  const int height = placed.bottom - placed.top;
  EXPECT_GT(height, 30) << "its natural height + 20";
  EXPECT_EQ((SIZE{320, 243 + height}.cy), Client().cy) << "the window holds the bar";
  EXPECT_EQ(3, Parts()) << "status, resolution and camera buttons";

  // The gap between preview and bar shows the window's own background,
  // the bar its face.
  const WindowPixels pixels(portal_->Window());
  ASSERT_TRUE(pixels.Valid());
  EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), pixels.At(160, 241));
  const WindowPixels barPixels(bar);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), barPixels.At(2, height / 2)) << "left edge of the status pane";

  EXPECT_EQ(S_OK, PutStatusText(L"Hello"));
  EXPECT_EQ(L"Hello", PaneText(kStatusPane));

  ASSERT_EQ(1, Enable(tovra2::kElementStatusBar, 0));
  EXPECT_EQ(nullptr, BarWindow());
  EXPECT_EQ(240, Client().cy) << "back to the preview size";
  ASSERT_EQ(1, Enable(tovra2::kElementStatusBar, 1));
  EXPECT_NE(nullptr, BarWindow()) << "built again";
}

TEST_F(Bar, SizeElementsRebuildThePreviewSizeMovesIt) {
  ASSERT_EQ(1, Enable(tovra2::kElementStatusBar, 1));
  ASSERT_EQ(1, Enable(tovra2::kElementMenu640x480, 0));
  EXPECT_EQ(3, Parts()) << "two of the three size items still on";
  ASSERT_EQ(1, Enable(tovra2::kElementMenu160x120, 0));
  EXPECT_EQ(2, Parts()) << "no resolution button";
  ASSERT_EQ(1, Enable(tovra2::kElementMenu320x240, 0));
  EXPECT_EQ(2, Parts());
  ASSERT_EQ(1, Enable(tovra2::kElementMenu640x480, 1));
  ASSERT_EQ(1, Enable(tovra2::kElementMenu160x120, 1));
  EXPECT_EQ(3, Parts());

  // Width with the system's border on both sides, height exactly.
  portal_->Put(dispid::kPreviewMaxWidth, 400);
  RECT preview = Placed(Preview());
  EXPECT_EQ(400 + 2 * ::GetSystemMetrics(SM_CXBORDER), preview.right - preview.left);
  EXPECT_EQ(240 + 2 * ::GetSystemMetrics(SM_CYBORDER), preview.bottom - preview.top);
  EXPECT_EQ(400, portal_->Get(dispid::kPreviewMaxWidth));
  portal_->Put(dispid::kPreviewMaxHeight, 300);
  preview = Placed(Preview());
  EXPECT_EQ(400, preview.right - preview.left);
  EXPECT_EQ(300, preview.bottom - preview.top);
  EXPECT_EQ(300, portal_->Get(dispid::kPreviewMaxHeight));
  const RECT bar = Placed(BarWindow());
  EXPECT_EQ(303, bar.top) << "the bar follows the preview";
  EXPECT_EQ(400, bar.right - bar.left);
}

TEST_F(Bar, StatusPaneBlinksWhileAMovieRecords) {
  ASSERT_EQ(1, Enable(tovra2::kElementStatusBar, 1));
  ASSERT_EQ(1, portal_->Call(dispid::kConnectCamera, Args({0})));
  testing_support::TempFolder folder;
  std::vector<Variant> args;
  args.emplace_back(folder.Path(L"bar.avi").c_str());
  args.emplace_back(L"");
  ASSERT_EQ(1, portal_->Call(dispid::kStartMovieRecording, std::move(args)));
  const std::wstring recording = PaneText(kStatusPane);
  EXPECT_FALSE(recording.empty());

  // Sampled every 100 ms: the text is there in some samples, gone in others.
  RECT pane = {};
  ::SendMessageW(BarWindow(), SB_GETRECT, kStatusPane, reinterpret_cast<LPARAM>(&pane));
  std::vector<int> others;  // pixels of another colour than the face, per sample
  for (int i = 0; i < 16; ++i) {
    portal_->PumpFor(100);
    const WindowPixels pixels(BarWindow());
    others.push_back((pane.right - pane.left) * (pane.bottom - pane.top) -
                     pixels.Count(pane, ::GetSysColor(COLOR_BTNFACE)));
  }
  const int least = *std::min_element(others.begin(), others.end());
  int shown = 0, blank = 0;
  for (int count : others) (count > least + 20 ? shown : blank)++;
  std::string counts;
  for (int count : others) counts += std::to_string(count) + " ";
  SCOPED_TRACE(counts);
  EXPECT_GE(shown, 3) << "the recording text shows";
  EXPECT_GE(blank, 3) << "and blinks away every 500 ms";

  EXPECT_EQ(1, portal_->Call(dispid::kStopMovieRecording, {}));
  EXPECT_NE(recording, PaneText(kStatusPane)) << "the ready text again";
}

// The link is offered only while the wizard is registered and its file
// exists; the engine's unplugged camera brings the "camera missing" screen.
TEST_F(Bar, SetupLinkOnlyWithAnInstalledWizard) {
  const wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vexwiz.exe";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  ASSERT_EQ(1, portal_->Call(dispid::kConnectCamera, Args({0})));
  ASSERT_EQ(0, portal_->Scenario(engine::kScenarioUnplug, 0));
  const auto link = [this] { return ::GetDlgItem(Preview(), 1042); };
  const auto shown = [&] { return link() && ::IsWindowVisible(link()); };
  ASSERT_TRUE(portal_->PumpUntil([&] { return portal_->Count(tovra2::kNotifyCameraGone) > 0; }));
  ASSERT_EQ(1, portal_->Call(dispid::kDisconnectCamera, {}));
  ::SendMessageW(portal_->Window(), 1556, 0, 0);  // the control's own refresh
  EXPECT_FALSE(shown()) << "no wizard registered";

  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  for (const std::wstring path : {std::wstring(L"C:\\missing\\Vexwiz.exe"), std::wstring(self)}) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    ::SendMessageW(portal_->Window(), 1556, 0, 0);  // the control's own refresh
    EXPECT_EQ(path == self, shown()) << "registered at " << std::string(path.begin(), path.end());
  }
  ASSERT_NE(nullptr, link());
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(link(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_TRUE(font.lfUnderline) << "a link font";
  wchar_t text[64] = {};
  ::GetWindowTextW(link(), text, 64);
  EXPECT_STREQ(L"Set up a camera", text);
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  EXPECT_EQ(0, portal_->Scenario(engine::kScenarioReplug, 0));
}

}  // namespace
