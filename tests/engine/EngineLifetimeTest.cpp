// When the engine process ends: after the last client releases it, after
// its only client's process dies without releasing, but not while another
// client remains; and a killed engine turns calls into prompt failures and
// is replaced by a fresh one on the next creation.
#include <gtest/gtest.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <optional>
#include <string>

#include "EngineClient.h"
#include "EngineLaunch.h"
#include "common/ComInit.h"

using namespace engine;
using engine_test::EngineEndsWithin;
using engine_test::EngineClient;

namespace {

bool EngineRuns() { return !EngineEndsWithin(0); }

// A client process (EngineTestClient.exe) that is ready when it returns.
class ClientProcess {
 public:
  bool Start() {
    const std::string event = "EngineTestClientReady_" + std::to_string(::GetTickCount());
    common::UniqueKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
    std::string command = "engine_test_client.exe " + event;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
      return false;
    }
    process_.reset(info.hProcess);
    common::UniqueKernelHandle thread(info.hThread);
    const HANDLE waits[] = {ready.get(), process_.get()};
    return ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
  }
  void Kill() {
    ::TerminateProcess(process_.get(), 9);
    ::WaitForSingleObject(process_.get(), 5000);
  }
  ~ClientProcess() {
    if (process_) Kill();
  }

 private:
  common::UniqueKernelHandle process_;
};

class EngineLifetime : public ::testing::Test {
 protected:
  void SetUp() override {
    com_.emplace(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(com_->MustUninitialize());
    ASSERT_TRUE(EngineEndsWithin(20000)) << "an engine from before is still running";
  }
  void TearDown() override { com_.reset(); }

  std::optional<common::ComInit> com_;
};

TEST_F(EngineLifetime, EndsWhenTheLastClientReleases) {
  EngineClient first, second;
  ASSERT_EQ(S_OK, first.Create());
  ASSERT_EQ(S_OK, second.Create());
  ASSERT_TRUE(EngineRuns());
  first.Release();
  EXPECT_FALSE(EngineEndsWithin(1500)) << "one client remains";
  second.Release();
  EXPECT_TRUE(EngineEndsWithin(5000));
}

TEST_F(EngineLifetime, CreatingRightAfterTheLastReleaseGetsAWorkingEngine) {
  for (int round = 0; round < 4; ++round) {
    EngineClient first;
    ASSERT_EQ(S_OK, first.Create()) << round;
    first.Release();  // the engine starts ending now
    EngineClient next;
    ASSERT_EQ(S_OK, next.Create()) << round;
    long count = 0;
    EXPECT_EQ(S_OK, next.InqLong(kCmdCameraCount, 0, &count)) << round;
  }
  EXPECT_TRUE(EngineEndsWithin(5000));
}

TEST_F(EngineLifetime, EndsWhenItsOnlyClientDies) {
  ClientProcess client;
  ASSERT_TRUE(client.Start());
  ASSERT_TRUE(EngineRuns());
  client.Kill();
  EXPECT_TRUE(EngineEndsWithin(8000));
}

TEST_F(EngineLifetime, ServesTheSurvivorWhenAnotherClientDies) {
  ClientProcess doomed;
  ASSERT_TRUE(doomed.Start());
  EngineClient survivor;
  ASSERT_EQ(S_OK, survivor.Create());
  std::int32_t camera = 0, inUse = 0;
  ASSERT_EQ(S_OK, survivor.Inq(kCmdCameraInUse, 0, &camera, 4, &inUse, 4));
  EXPECT_EQ(1, inUse);
  doomed.Kill();
  // The dead client's camera is released within a few clock ticks.
  for (int i = 0; i < 100 && inUse; ++i) {
    ::Sleep(50);
    survivor.Inq(kCmdCameraInUse, 0, &camera, 4, &inUse, 4);
  }
  EXPECT_EQ(0, inUse);
  EXPECT_TRUE(EngineRuns());
  long count = 0;
  EXPECT_EQ(S_OK, survivor.InqLong(kCmdCameraCount, 0, &count));
  survivor.Release();
  EXPECT_TRUE(EngineEndsWithin(5000));
}

TEST_F(EngineLifetime, AKilledEngineFailsCallsAndIsReplaced) {
  EngineClient client;
  ASSERT_EQ(S_OK, client.Create());
  common::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  DWORD engineId = 0;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, kEngineExeName) == 0) engineId = entry.th32ProcessID;
  }
  ASSERT_NE(0u, engineId);
  common::UniqueKernelHandle engineProcess(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, engineId));
  ASSERT_TRUE(::TerminateProcess(engineProcess.get(), 1));
  ::WaitForSingleObject(engineProcess.get(), 5000);
  const DWORD start = ::GetTickCount();
  long count = 0;
  EXPECT_TRUE(FAILED(client.InqLong(kCmdCameraCount, 0, &count)));
  EXPECT_LT(::GetTickCount() - start, 3000u);
  client.Release();
  EngineClient fresh;
  // COM's class table may still name the killed engine: creation must
  // reach the new one all the same.
  ASSERT_EQ(S_OK, fresh.Create());
  EXPECT_EQ(S_OK, fresh.InqLong(kCmdCameraCount, 0, &count));
  EXPECT_EQ(3, count);
}

}  // namespace
