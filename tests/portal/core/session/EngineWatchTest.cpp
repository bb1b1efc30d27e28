// The engine watch: which failed calls mean the engine has gone, one notice
// however many calls fail, and a real process watched on the thread pool
// whose end reaches a real window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeEngine.h"
#include "FakeNotificationSink.h"
#include "FakeWindowView.h"
#include "KillProcess.h"
#include "Sequences.h"
#include "common/UniqueHandle.h"
#include "core/session/CameraSession.h"
#include "core/session/EngineWatch.h"
#include "engine/interface/EngineCommands.h"

namespace {

using namespace engine;
using namespace testing_support;
using portal::kMsgEngineGone;

TEST(EngineWatch, OnlyADisconnectedServerCountsAndOnlyOnce) {
  const struct {
    const char* name;
    HRESULT result;
    bool gone;
  } cases[] = {
      {"success", S_OK, false},
      {"a refusal", E_FAIL, false},
      {"an unknown command", E_NOTIMPL, false},
      {"a bad argument", E_INVALIDARG, false},
      {"disconnected", RPC_E_DISCONNECTED, true},
      {"server unavailable", HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), true},
      {"object not connected", CO_E_OBJNOTCONNECTED, true},
      {"server died", RPC_E_SERVER_DIED_DNE, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindowView view;
    FakeNotificationSink events;
    FakeEngine engine;
    portal::CameraSession session(view, events);
    session.Prepare(engine.NewLink(), L"WatchTest", L"Software\\WatchTest");
    engine.OnInquire(kCmdCameraCount).Fails(c.result);
    view.actions.clear();
    LONG count = 0;
    for (int call = 0; call < 3; ++call) session.CameraCount(&count);
    const std::vector<std::string> posted =
        c.gone ? std::vector<std::string>{FakeWindowView::Post(kMsgEngineGone)} : std::vector<std::string>{};
    EXPECT_TRUE(MatchSequence("window requests", view.actions, posted));
  }
}

// A window of this thread that only receives messages.
struct MessageWindow {
  common::UniqueWindow window{::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                nullptr, nullptr)};
  int Received(UINT message, DWORD waitMs) {
    int received = 0;
    const DWORD start = ::GetTickCount();
    MSG msg;
    do {
      while (::PeekMessageW(&msg, window.get(), message, message, PM_REMOVE)) ++received;
      ::Sleep(10);
    } while (::GetTickCount() - start < waitMs);
    return received;
  }
};

// A process that never runs: this test program, suspended.
common::UniqueKernelHandle StartIdleProcess(DWORD* processId) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION info = {};
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
  if (!::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &info)) {
    return {};
  }
  ::CloseHandle(info.hThread);
  *processId = info.dwProcessId;
  return common::UniqueKernelHandle(info.hProcess);
}

TEST(EngineWatch, TheEndOfTheWatchedProcessIsPostedOnce) {
  FakeWindowView view;
  MessageWindow target;
  ASSERT_TRUE(target.window);
  portal::EngineWatch watch(view);
  DWORD processId = 0;
  common::UniqueKernelHandle process = StartIdleProcess(&processId);
  ASSERT_TRUE(process);
  ASSERT_TRUE(watch.Start(processId, target.window.get()));
  EXPECT_EQ(0, target.Received(kMsgEngineGone, 100)) << "nothing while the process runs";
  ASSERT_TRUE(KillProcess(processId));
  // The control must notice within two seconds; the wait is that bound.
  EXPECT_EQ(1, target.Received(kMsgEngineGone, 2000));
  watch.CheckResult(RPC_E_DISCONNECTED);
  EXPECT_TRUE(view.actions.empty()) << "a failed call after the notice posts nothing more";
}

TEST(EngineWatch, StoppedWatchesPostNothingAndLateStartsNoticeAtOnce) {
  FakeWindowView view;
  MessageWindow target;
  portal::EngineWatch watch(view);
  DWORD processId = 0;
  common::UniqueKernelHandle process = StartIdleProcess(&processId);
  ASSERT_TRUE(process);
  ASSERT_TRUE(watch.Start(processId, target.window.get()));
  watch.Stop();
  EXPECT_FALSE(watch.WatchingProcess());
  ASSERT_TRUE(KillProcess(processId));
  watch.CheckResult(RPC_E_DISCONNECTED);
  EXPECT_EQ(0, target.Received(kMsgEngineGone, 300));
  EXPECT_TRUE(view.actions.empty()) << "a released engine's failures are no news";

  // An engine that ended before the watch began (our handle keeps the
  // ended process known) is noticed at once.
  EXPECT_TRUE(watch.Start(processId, target.window.get()));
  EXPECT_EQ(1, target.Received(kMsgEngineGone, 2000));
  EXPECT_FALSE(watch.Start(0, target.window.get())) << "no such process";
  EXPECT_FALSE(watch.Start(::GetCurrentProcessId(), nullptr)) << "no window to tell";
  watch.CheckResult(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_TRUE(MatchSequence("failed calls are still checked", view.actions,
                            std::vector<std::string>{FakeWindowView::Post(kMsgEngineGone)}));
}

}  // namespace
