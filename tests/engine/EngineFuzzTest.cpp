// Random commands against the real engine: 100,000 seeded calls with random
// command numbers, sub-codes, flags and buffers (often carrying a plausible
// record size so that the deeper checks are reached). No call may break
// the connection, and the engine must still answer correctly afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "EngineClient.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

constexpr int kCalls = 100000;
// Frames cost the engine time that the calls wait for; a slow clock keeps
// the run short while every frame path is still reached.
constexpr int kFuzzFrameRate = 5;

int CallCount() {
  char value[32];
  const DWORD length = ::GetEnvironmentVariableA("ENGINE_FUZZ_CALLS", value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::atoi(value) : kCalls;
}
constexpr std::uint32_t kSeed = 0x5EED2024;

// Record sizes the engine knows; a buffer starting with one of them gets
// past the first check more often.
constexpr std::uint32_t kSizes[] = {4, 12, 16, 20, 24, 32, 64, 96, 516, 520, 544, 780, 796};

// Commands that could write files named by random bytes, open the dialog,
// or leave the engine in a state meant only for scenario tests, are given
// safe names or left out.
const long kCommands[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20,
                          21, 22, 26, 28, 29, 31, 99, 0, -1, 8, 100, 1000, 1001, 1002,
                          1003, 1004, 1005, 1999, 0x7FFFFFFF};

bool BrokeTheConnection(HRESULT hr) {
  return hr == RPC_E_DISCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         hr == RPC_E_SERVERFAULT || hr == RPC_E_CALL_REJECTED || hr == CO_E_OBJNOTCONNECTED;
}

class Fuzzer {
 public:
  explicit Fuzzer(const std::string& safeFile) : random_(kSeed), safeFile_(safeFile) {}

  HRESULT Call(const EngineClient& client) {
    const long command = Pick(kCommands);
    const long sub = Chance(8) ? static_cast<long>(random_()) : static_cast<long>(random_() % 10) - 1;
    long sub2 = command == 5 ? Pick(std::vector<long>{16, 19, 20, 29, 31, 102, 106, 107, 108, sub}) : sub;
    if (command >= 1000 && command <= 1005) sub2 = static_cast<long>(random_() % 5) - 1;
    FillInput(command);
    const bool inquire = Chance(2);
    const long inputSize = Chance(10) ? -static_cast<long>(random_() % 4) - 1 : static_cast<long>(input_.size());
    const BYTE* input = Chance(10) ? nullptr : input_.data();
    if (inputSize < 0) return S_OK;  // rejected by the proxy before it leaves: covered elsewhere
    if (inquire) {
      output_.assign(1 + random_() % 900, 0);
      return client.Inq(command, sub2, input, inputSize, output_.data(), static_cast<long>(output_.size()));
    }
    const bool second = Chance(3);
    output_.assign(second ? (Chance(100) ? random_() % 300000 : random_() % 1000) : 0, 0);
    return client.Exec(command, sub2, input, inputSize, second ? output_.data() : nullptr,
                       static_cast<long>(output_.size()));
  }

 private:
  template <typename List>
  long Pick(const List& list) {
    return static_cast<long>(std::data(list)[random_() % std::size(list)]);
  }
  bool Chance(int oneIn) { return random_() % oneIn == 0; }

  void FillInput(long command) {
    std::size_t size = Chance(4) ? random_() % 1200 : kSizes[random_() % std::size(kSizes)];
    if (Chance(20)) size += 1 + random_() % 3;
    input_.resize(size);
    for (BYTE& b : input_) b = static_cast<BYTE>(random_() % 4 ? random_() : 0);
    if (size >= 4 && Chance(2)) {
      const std::uint32_t field = Chance(3) ? static_cast<std::uint32_t>(size) : kSizes[random_() % std::size(kSizes)];
      std::memcpy(input_.data(), &field, 4);
    }
    // File and registry targets: empty or a fixed scratch name, never the
    // random bytes themselves.
    if (command == 6 || command == 12 || command == 22 || command == 9) {
      const std::string name = Chance(2) ? std::string() : safeFile_;
      if (size > 4 + name.size()) {
        std::memset(input_.data() + 4, 0, size - 4 > 512 ? 512 : size - 4);
        std::memcpy(input_.data() + 4, name.c_str(), name.size());
      }
    }
  }

  std::mt19937 random_;
  std::string safeFile_;
  std::vector<BYTE> input_, output_;
};

TEST(EngineFuzz, HundredThousandRandomCallsLeaveTheEngineAnswering) {
  EngineClient client;
  ASSERT_EQ(S_OK, client.Create(kFuzzFrameRate));
  engine_test::MessageSink sink;
  ASSERT_EQ(S_OK, client.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink.Window()))));
  ASSERT_EQ(S_OK, client.Connect(0));
  ASSERT_EQ(S_OK, client.Exec(1008, 16 << 20));  // recordings the fuzz starts stay small
  Fuzzer fuzzer(engine_test::TempFolder() + "engine-fuzz.bin");
  int failures = 0;
  const DWORD start = ::GetTickCount();
  const int calls = CallCount();
  for (int i = 0; i < calls; ++i) {
    const HRESULT hr = fuzzer.Call(client);
    ASSERT_FALSE(BrokeTheConnection(hr)) << "call " << i << " (seed " << kSeed << "): 0x" << std::hex << hr;
    failures += FAILED(hr) ? 1 : 0;
    if (i % 2000 == 0) sink.Pump(0);
    if (i % 20000 == 0) std::printf("%d calls after %lu ms\n", i, ::GetTickCount() - start);  // keep the posted-message queue short
  }
  std::printf("%d of %d random calls were refused\n", failures, calls);
  // Still the same engine, still answering correctly.
  client.Exec(1001, 0);
  client.Exec(1001, 1);
  client.Exec(1001, 2);
  client.Exec(kCmdMovie, kMovieStop);
  long count = 0;
  ASSERT_EQ(S_OK, client.InqLong(kCmdCameraCount, 0, &count));
  EXPECT_EQ(3, count);
  ASSERT_EQ(S_OK, client.Connect(2));
  CameraRecord record{};
  ASSERT_EQ(S_OK, client.InqRecord(kCmdCurrentCamera, 0, &record));
  EXPECT_STREQ("Test Camera C", record.name);
  EngineClient fresh;
  ASSERT_EQ(S_OK, fresh.Create());
  ASSERT_EQ(S_OK, fresh.InqLong(kCmdCameraCount, 0, &count));
}

}  // namespace
