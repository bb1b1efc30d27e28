// Preview at 640x480 and 30 frames a second through Torvane's container,
// the window shown: the CPU share of the engine (its own measure,
// inquiry 1010) and of this process (the control painting every frame),
// each and together, over a few seconds, printed as ratios to the 5 %
// target; then the same with motion reporting on, and the difference per
// frame in each process: the motion meter with the report it posts in the
// engine, the report's handling in the control. (The meter alone is timed
// by the media benchmark.) Asserts nothing.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchPortal.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/PreviewFrame.h"

namespace {

constexpr int kFrameRate = 30;
constexpr double kTargetShare = 5.0;  // percent of one core
constexpr DWORD kSettleMs = 1000, kMeasureMs = 4000;

double NowMs() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double OwnCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// The engine's CPU time as the engine measures it, through the control's
// pass-through Query; 0 when it cannot be read.
double EngineCpuMs(torvane::PortalClient& control) {
  struct {
    std::uint32_t processId, reserved;
    std::uint64_t cpuTime100ns;
  } info{};
  const long status = control.Query(engine::kScenarioProcessInfo, 0, 0, nullptr, 0, &info, sizeof(info));
  return status == 0 ? static_cast<double>(info.cpuTime100ns) / 10000.0 : 0;
}

void Pump(DWORD ms) {
  const DWORD end = ::GetTickCount() + ms;
  for (DWORD now = ::GetTickCount(); static_cast<LONG>(end - now) > 0; now = ::GetTickCount()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

// The preview mapping of the control's preview window, for counting the
// frames the engine delivered.
struct FrameCounter {
  common::UniqueKernelHandle mapping;
  common::UniqueMappedView view;
  explicit FrameCounter(HWND control) {
    HWND preview = ::FindWindowExW(control, nullptr, L"Tovra2PreviewWindow", nullptr);
    char name[64];
    std::snprintf(name, sizeof(name), "%s%08lX", engine::kPreviewMappingPrefix,
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(preview) & 0xFFFFFFFFu));
    mapping.reset(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    if (mapping) view.reset(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  }
  std::uint32_t Frames() const {
    return view ? static_cast<const engine::PreviewFrameHeader*>(view.get())->frameNumber : 0;
  }
};

struct Shares {
  double fps = 0, engine = 0, control = 0;  // frames a second, percent of one core
};

Shares Measure(torvane::PortalClient& control, const FrameCounter& frames) {
  Pump(kSettleMs);
  const std::uint32_t firstFrame = frames.Frames();
  const double engineStart = EngineCpuMs(control), ownStart = OwnCpuMs(), start = NowMs();
  Pump(kMeasureMs);
  const double elapsed = NowMs() - start;
  const double engineMs = EngineCpuMs(control) - engineStart, ownMs = OwnCpuMs() - ownStart;
  const std::uint32_t delivered = frames.Frames() - firstFrame;
  Shares s;
  s.fps = delivered * 1000.0 / elapsed;
  s.engine = 100.0 * engineMs / elapsed;
  s.control = 100.0 * ownMs / elapsed;
  return s;
}

std::string WriteConfig() {
  const std::string path = common::WideToAnsi(bench::TempPath(L"preview-bench-camera.ini"));
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << "[Engine]\r\nCameras=1\r\nFrameRate=" << kFrameRate
      << "\r\n[Camera0]\r\nName=Bench Camera\r\nType=9\r\nVendorId=0x7A01\r\nProductId=0x0101\r\n"
         "Serial=11\r\nDevice=BENCH0\r\nSizes=320x240,640x480\r\n";
  return path;
}

void Print(const char* label, const Shares& s) {
  const double together = s.engine + s.control;
  std::printf("  %s: %.1f frames a second\n", label, s.fps);
  std::printf("    engine %.2f %%, control %.2f %%, together %.2f %% of one core: ratio to %.0f %%: %.2f (%s)\n",
              s.engine, s.control, together, kTargetShare, together / kTargetShare,
              together <= kTargetShare ? "meets" : "misses");
}

int Run() {
  bench::BenchPortal portal;
  ::ShowWindow(portal.Window(), SW_SHOW);
  if (!portal.Open("preview bench", WriteConfig())) return 1;
  torvane::PortalClient& vidPort = portal.Client();
  vidPort.SetEnablePreview(-1);  // as Torvane does once connected
  const FrameCounter frames(portal.Host().ControlWindow());
  const Shares still = Measure(vidPort, frames);
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, -1);  // reporting on
  const Shares motion = Measure(vidPort, frames);
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, 0);

  std::printf("Preview 640x480 at %d frames a second, the window shown, %lu ms each\n", kFrameRate, kMeasureMs);
  Print("motion reporting off", still);
  Print("motion reporting on", motion);
  const double period = 1000.0 / kFrameRate;
  const double engineMs = (motion.engine - still.engine) / 100.0 * period;
  const double controlMs = (motion.control - still.control) / 100.0 * period;
  std::printf("  motion reports, per frame: engine %.3f ms (%.3f of a frame period: the meter, the report, the\n"
              "    control's questions about it), control %.3f ms (%.3f of a frame period)\n",
              engineMs, engineMs / period, controlMs, controlMs / period);
  return 0;
}

}  // namespace

int main() { return bench::RunHosted("preview bench", Run); }
