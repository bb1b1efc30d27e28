// Wall-clock and engine CPU time for the engine's benchmarks.
#pragma once

#include <windows.h>

#include <cstdint>

#include "EngineClient.h"
#include "EngineCommands.h"

namespace engine_bench {

// Milliseconds of the performance counter.
inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The engine's own CPU time in ms, as it measures it; 0 when it does not answer.
inline double CpuMs(const engine_test::EngineClient& client) {
  struct {
    std::uint32_t processId, reserved;
    std::uint64_t cpuTime100ns;
  } info{};
  if (FAILED(client.Inq(engine::kScenarioProcessInfo, 0, nullptr, 0, &info, sizeof(info)))) return 0;
  return static_cast<double>(info.cpuTime100ns) / 10000.0;
}

}  // namespace engine_bench
