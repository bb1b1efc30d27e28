// Capture device benchmark: the test camera filter (registered for the run)
// against the synthetic camera, both at 640 x 480 and 15 frames a second
// with the preview on. Printed as ratios to the synthetic camera's figures
// measured in the same run:
//  - latency from the filter's delivery of a sample to the new frame in the
//    preview mapping, against the synthetic camera's frame interval (how
//    much of one frame's time the device path adds);
//  - preview frames a second, device / synthetic;
//  - the engine's CPU share, device / synthetic;
//  - the engine's launch with the device listed, against a launch with
//    capture devices switched off.
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "EngineClient.h"
#include "BenchClock.h"
#include "EngineLaunch.h"
#include "PreviewFrame.h"
#include "TestCamera.h"
#include "TestCameraRegistration.h"
#include "common/ComInit.h"

using namespace engine;

namespace {

using engine_bench::CpuMs;
using engine_bench::Now;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

struct Figures {
  double fps = 0, cpuShare = 0, interval = 0, latency = 0;
};

// Pumps the window's messages while it waits for the mapping to change.
std::uint32_t WaitForNewFrame(const PreviewFrameHeader* header, std::uint32_t after, double until) {
  MSG msg;
  while (header->frameNumber == after && Now() < until) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(0);
  }
  return header->frameNumber;
}

Figures Measure(const engine_test::EngineClient& client, long camera, HANDLE delivered) {
  Figures figures;
  engine_test::MessageSink sink;
  if (FAILED(client.Connect(camera)) || FAILED(client.SetFormat(640, 480))) return figures;
  const PreviewRecord on{32, 0, WindowToRecord(sink.Window()), 0, 0, 640, 480, 1};
  client.ExecRecord(kCmdPreview, 0, on);
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix, WindowToRecord(sink.Window()));
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  common::UniqueMappedView view(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
  if (!view) return figures;
  const auto* header = static_cast<const PreviewFrameHeader*>(view.get());
  sink.Pump(500);
  const std::uint32_t first = header->frameNumber;
  const double cpuStart = CpuMs(client), start = Now();
  std::vector<double> latencies, intervals;
  double lastArrival = 0;
  std::uint32_t frame = first;
  while (Now() - start < 4000) {
    double deliveredAt = 0;
    if (delivered) {
      // A fresh delivery: the frame it brings is not in the mapping yet
      // (a frame published before the count is read shows as a late one).
      ::ResetEvent(delivered);
      if (::WaitForSingleObject(delivered, 500) != WAIT_OBJECT_0) continue;
      deliveredAt = Now();
      frame = header->frameNumber;
    }
    const std::uint32_t next = WaitForNewFrame(header, frame, Now() + 500);
    if (next == frame) continue;
    const double arrived = Now();
    if (delivered) latencies.push_back(arrived - deliveredAt);
    if (!delivered && lastArrival > 0 && next == frame + 1) intervals.push_back(arrived - lastArrival);
    lastArrival = arrived;
    frame = next;
  }
  const double elapsed = Now() - start;
  figures.fps = (header->frameNumber - first) * 1000.0 / elapsed;
  figures.cpuShare = (CpuMs(client) - cpuStart) * 100.0 / elapsed;
  figures.interval = Median(intervals);
  figures.latency = Median(latencies);
  client.Exec(kCmdPreview, 1);
  client.Exec(kCmdDisconnect, 0);
  return figures;
}

std::string WriteConfig(const char* name, bool devices) {
  const std::string path = engine_test::TempFolder() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << "[Engine]\r\nDevices=" << (devices ? 1 : 0) << "\r\nCameras=1\r\nFrameRate=15\r\n";
  return path;
}

// CreateCameraEngine with no engine running (the best of three): the
// configuration is read, and the devices listed, before the engine is ready.
double MeasureLaunch(const std::string& config) {
  ::SetEnvironmentVariableA("CAMERA_ENGINE_CONFIG", config.c_str());
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    if (!engine_test::EngineEndsWithin(20000)) return -1;
    common::ComPtr<ICameraEngine> engine;
    const double start = Now();
    if (FAILED(CreateCameraEngine(engine.put()))) return -1;
    best = std::min(best, Now() - start);
  }
  return best;
}

void Report(const char* what, double device, double reference, const char* unit) {
  std::printf("%-44s %8.2f %-3s reference %8.2f %-3s ratio %.2f\n", what, device, unit, reference, unit,
              reference > 0 ? device / reference : 0.0);
}

}  // namespace

int main() {
  const common::ComInit com(COINIT_APARTMENTTHREADED);
  if (!com.MustUninitialize()) return 1;
  test_camera::Registration registration;
  if (FAILED(registration.Register())) {
    std::printf("the test camera filter could not be registered\n");
    return 1;
  }
  const double withoutDevices = MeasureLaunch(WriteConfig("engine-webcam-bench-off.ini", false));
  const double withDevice = MeasureLaunch(WriteConfig("engine-webcam-bench-on.ini", true));
  {
    engine_test::EngineClient client;
    const std::string config = WriteConfig("engine-webcam-bench.ini", true);
    if (FAILED(client.Create()) ||
        FAILED(client.Exec(kScenarioReloadConfig, 0, config.c_str(), static_cast<long>(config.size() + 1)))) {
      std::printf("the engine could not be created\n");
      return 1;
    }
    common::UniqueKernelHandle delivered(::CreateEventW(nullptr, FALSE, FALSE, test_camera::kDeliveredEvent));
    const Figures device = Measure(client, 0, delivered.get());
    const Figures synthetic = Measure(client, 1, nullptr);
    Report("latency delivery -> preview (median) / frame", device.latency, synthetic.interval, "ms");
    Report("preview frames per second 640x480", device.fps, synthetic.fps, "fps");
    Report("engine CPU share at 640x480", device.cpuShare, synthetic.cpuShare, "%");
    Report("engine launch, device listed / none", withDevice, withoutDevices, "ms");
    client.Exec(kScenarioReloadConfig, 0);
  }
  registration.Unregister();
  return 0;
}
