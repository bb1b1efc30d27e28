// Camera engine benchmark, printed as ratios against the targets:
// first creation including the engine's launch (target 300 ms), the median
// Execute round trip (1.5 ms), and preview frames delivered per second with
// the engine's CPU share at 640 x 480 (30 frames a second at under 10% of
// one core).
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "EngineClient.h"
#include "BenchClock.h"
#include "EngineLaunch.h"
#include "PreviewFrame.h"
#include "common/ComInit.h"

using namespace engine;

namespace {

using engine_bench::CpuMs;
using engine_bench::Now;

void Report(const char* what, double value, const char* unit, double target, bool lowerIsBetter) {
  const double ratio = value / target;
  std::printf("%-34s %9.2f %-5s target %7.2f  ratio %.2f (%s)\n", what, value, unit, target, ratio,
              (lowerIsBetter ? ratio <= 1.0 : ratio >= 1.0) ? "meets" : "misses");
}

// CreateCameraEngine with no engine running: launch, ready event and the
// first CoCreateInstance.
double MeasureLaunch(common::ComPtr<ICameraEngine>* engine) {
  engine_test::EngineEndsWithin(10000);
  const std::wstring config = engine_test::TestConfigPath();
  ::SetEnvironmentVariableW(L"CAMERA_ENGINE_CONFIG", config.c_str());
  const double start = Now();
  if (FAILED(CreateCameraEngine(engine->put()))) return -1;
  return Now() - start;
}

double MeasureRoundTrip(const engine_test::EngineClient& client) {
  std::vector<double> samples;
  long value = 0;
  for (int i = 0; i < 2000; ++i) {
    const double start = Now();
    client.InqLong(kCmdCameraCount, 0, &value);
    samples.push_back(Now() - start);
  }
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

void MeasurePreview(const engine_test::EngineClient& client, double* fps, double* cpuShare) {
  engine_test::MessageSink sink;
  client.Connect(0);
  client.SetFormat(640, 480);
  const PreviewRecord on{32, 0, WindowToRecord(sink.Window()), 0, 0, 640, 480, 1};
  client.ExecRecord(kCmdPreview, 0, on);
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix, WindowToRecord(sink.Window()));
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  common::UniqueMappedView view(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
  if (!view) return;
  const auto* header = static_cast<const PreviewFrameHeader*>(view.get());
  sink.Pump(500);  // settle
  const std::uint32_t firstFrame = header->frameNumber;
  const double cpuStart = CpuMs(client), start = Now();
  sink.Pump(4000);
  const double elapsed = Now() - start;
  *fps = (header->frameNumber - firstFrame) * 1000.0 / elapsed;
  *cpuShare = (CpuMs(client) - cpuStart) * 100.0 / elapsed;
  client.Exec(kCmdPreview, 1);
  client.SetFormat(320, 240);
}

}  // namespace

int main() {
  const common::ComInit com(COINIT_APARTMENTTHREADED);
  if (!com.MustUninitialize()) return 1;
  {
    common::ComPtr<ICameraEngine> first;  // keeps the engine for the rest
    const double launch = MeasureLaunch(&first);
    engine_test::EngineClient client;
    if (launch < 0 || FAILED(client.Create())) {
      std::printf("the engine could not be created\n");
      return 1;
    }
    Report("first creation incl. launch", launch, "ms", 300, true);
    Report("Execute round trip (median)", MeasureRoundTrip(client), "ms", 1.5, true);
    double fps = 0, cpu = 0;
    MeasurePreview(client, &fps, &cpu);
    Report("preview frames per second 640x480", fps, "fps", 30, false);
    Report("engine CPU share at 640x480", cpu, "%", 10, true);
  }
  return 0;
}
