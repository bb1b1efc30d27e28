// The soak's counts of a process, read from outside as the soak reads
// Torvane's: each count follows handles, GDI objects, windows and memory
// made and released by a child process (this test program run as a
// helper). Under Wine 8, whose GetProcessHandleCount, GetGuiResources and
// private usage answer 0, the stand-ins are what is checked; the test says
// which were used.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ProcessCounts.h"
#include "common/UniqueHandle.h"

namespace {

constexpr int kObjects = 40;
constexpr size_t kMegabytes = 32;

std::wstring EventName(const std::wstring& base, const wchar_t* step) { return base + step; }

// The helper: on `go` makes kObjects events, brushes and windows and
// kMegabytes of private memory, signals `made` and keeps them until `done`.
int RunHelper(const std::wstring& base) {
  common::UniqueKernelHandle go(::OpenEventW(SYNCHRONIZE, FALSE, EventName(base, L"Go").c_str()));
  common::UniqueKernelHandle made(::OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(base, L"Made").c_str()));
  common::UniqueKernelHandle done(::OpenEventW(SYNCHRONIZE, FALSE, EventName(base, L"Done").c_str()));
  ::WaitForSingleObject(go.get(), 30000);
  std::vector<common::UniqueKernelHandle> events;
  std::vector<common::UniqueBrush> brushes;
  std::vector<common::UniqueWindow> windows;
  for (int i = 0; i < kObjects; ++i) {
    events.emplace_back(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    brushes.emplace_back(::CreateSolidBrush(RGB(i, 0, 0)));
    // Hidden top-level windows: message-only ones are not enumerated.
    windows.emplace_back(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  }
  std::vector<char> memory(kMegabytes << 20, 1);
  ::SetEvent(made.get());
  ::WaitForSingleObject(done.get(), 30000);
  return memory[12345] == 1 ? 0 : 1;
}

TEST(ProcessCounts, FollowWhatAnotherProcessMakes) {
  const std::wstring base = L"SoakCounts" + std::to_wstring(::GetCurrentProcessId());
  common::UniqueKernelHandle go(::CreateEventW(nullptr, TRUE, FALSE, EventName(base, L"Go").c_str()));
  common::UniqueKernelHandle made(::CreateEventW(nullptr, TRUE, FALSE, EventName(base, L"Made").c_str()));
  common::UniqueKernelHandle done(::CreateEventW(nullptr, TRUE, FALSE, EventName(base, L"Done").c_str()));
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --helper " + base;
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  common::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  // The helper's counts once it has started (its test program's start-up
  // has made what it makes before it waits), then with everything made.
  ::Sleep(500);
  const auto before = soak::ReadCounts(info.dwProcessId);
  ::SetEvent(go.get());
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(made.get(), 30000));
  const auto after = soak::ReadCounts(info.dwProcessId);
  ::SetEvent(done.get());
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(process.get(), 30000));
  ASSERT_TRUE(before && after);
  std::printf("stand-ins used: %s\n", after->standIns.empty() ? "none" : after->standIns.c_str());
  EXPECT_GE(after->handles - before->handles, kObjects);
  EXPECT_GE(after->gdiObjects - before->gdiObjects, kObjects);
  EXPECT_GE(after->userObjects - before->userObjects, kObjects);
  EXPECT_GE(after->privateBytes - before->privateBytes, static_cast<unsigned long long>(kMegabytes) << 20);
  EXPECT_FALSE(soak::ReadCounts(info.dwProcessId + 1000000)) << "no such process";
  const std::vector<DWORD> named = soak::ProcessesNamed(L"SOAK_COUNTS_TEST.exe");
  EXPECT_NE(named.end(), std::find(named.begin(), named.end(), ::GetCurrentProcessId())) << "names match in any case";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--helper") return RunHelper(argv[2]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
