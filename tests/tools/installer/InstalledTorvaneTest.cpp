// The installed Torvane.exe, started from its installed folder, takes an
// instant snapshot and saves it as a bitmap; run by test_installer.sh after
// a silent installation, with the program and the picture's path in
// TORVANE_INSTALLED_PROGRAM and TORVANE_SNAPSHOT_TARGET.
#include <gtest/gtest.h>

#include <string>

#include "TorvaneEndToEnd.h"

namespace shell_e2e {
namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : L"";
}

TEST_F(TorvaneEndToEnd, InstalledTorvaneSavesASnapshot) {
  const std::wstring program = Variable(L"TORVANE_INSTALLED_PROGRAM");
  const std::wstring target = Variable(L"TORVANE_SNAPSHOT_TARGET");
  ASSERT_FALSE(program.empty() || target.empty()) << "started without an installed program";
  TorvaneProcess torvane(Environment(), program);
  ASSERT_TRUE(torvane.Started()) << "the installed Torvane did not show its main window";
  EXPECT_EQ(0u, torvane.StatusPanel1().find(L"Connected to ")) << "the installed engine gave no camera";
  SaveSnapshotAs(torvane, target);
  ExpectBitmap320x240(ReadAll(target));
  EXPECT_EQ(0u, torvane.Close());
  // The uninstaller that follows must find the engine's file free.
  EXPECT_TRUE(WaitForNoEngine(30000)) << "the installed engine outlived Torvane";
}

}  // namespace
}  // namespace shell_e2e
