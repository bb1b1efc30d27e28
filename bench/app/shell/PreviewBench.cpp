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

#include "PortalClient.h"
#include "PortalContract.h"
#include "PortalHost.h"
#include "common/ComInit.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/PreviewFrame.h"

namespace {

constexpr int kFrameRate = 30;
constexpr double kTargetShare = 5.0;  // percent of one core
constexpr DWORD kSettleMs = 1000, kMeasureMs = 4000;

class NoEvents : public torvane::PortalEvents {
 public:
  void PortalNotification(long, LONG_PTR, LONG_PTR, LONG_PTR) override {}
};

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

VARIANT LongArgument(LONG value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT PointerArgument(const void* address) {
  VARIANT v;
  ::VariantInit(&v);
#ifdef _WIN64
  V_VT(&v) = VT_I8;
  V_I8(&v) = reinterpret_cast<LONG_PTR>(address);
#else
  V_VT(&v) = VT_I4;
  V_I4(&v) = reinterpret_cast<LONG_PTR>(address);
#endif
  return v;
}

// The engine's CPU time as the engine measures it, through the control's
// pass-through Query with this process's buffer; 0 when it cannot be read.
double EngineCpuMs(IDispatch* control) {
  struct {
    std::uint32_t processId, reserved;
    std::uint64_t cpuTime100ns;
  } info{};
  // Query(command, sub-command, flags, input, input size, output, output
  // size), reversed as late-bound callers pass them.
  VARIANT args[] = {LongArgument(sizeof(info)), PointerArgument(&info), LongArgument(0), PointerArgument(nullptr),
                    LongArgument(0),           LongArgument(0),        LongArgument(engine::kScenarioProcessInfo)};
  VARIANT status;
  ::VariantInit(&status);
  DISPPARAMS params{args, nullptr, 7, 0};
  const HRESULT hr = control->Invoke(tovra2::dispid::kQuery, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                     &status, nullptr, nullptr);
  const bool read = SUCCEEDED(hr) && V_VT(&status) == VT_I4 && V_I4(&status) == 0;
  return read ? static_cast<double>(info.cpuTime100ns) / 10000.0 : 0;
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

Shares Measure(IDispatch* control, const FrameCounter& frames) {
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

std::wstring WriteConfig() {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  const std::wstring path = std::wstring(folder) + L"preview-bench-camera.ini";
  std::ofstream(common::WideToAnsi(path), std::ios::binary | std::ios::trunc)
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
  common::UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                                700, 600, nullptr, nullptr, nullptr, nullptr));
  ::ShowWindow(window.get(), SW_SHOW);
  NoEvents events;
  torvane::PortalHost host(window.get(), &events);
  if (FAILED(host.Create(RECT{0, 0, 640, 520}))) {
    std::printf("preview bench: the control could not be created\n");
    return 1;
  }
  torvane::PortalClient vidPort(host.DispatchPtr());
  vidPort.PrepareControl(L"TorvaneBench", L"HKEY_CURRENT_USER\\Software\\Velkor\\TorvaneBench", 0);
  const std::string config = common::WideToAnsi(WriteConfig());
  vidPort.SendCommand(engine::kScenarioReloadConfig, 0, 0, config.c_str(), static_cast<long>(config.size() + 1));
  vidPort.ConnectCamera2();
  if (vidPort.CameraConnected() == 0 || vidPort.SetVideoFormat(640, 480, 24, 0) != 1) {
    std::printf("preview bench: no camera at 640x480\n");
    return 1;
  }
  vidPort.SetEnablePreview(-1);  // as Torvane does once connected
  const FrameCounter frames(host.ControlWindow());
  const Shares still = Measure(host.Dispatch(), frames);
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, -1);  // reporting on
  const Shares motion = Measure(host.Dispatch(), frames);
  vidPort.SetCameraPropertyLong(engine::kPropMotionReport, 0);
  vidPort.DisconnectCamera();
  host.Close();

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

int main() {
  const common::OleInit ole;
  if (!ole.MustUninitialize()) return 1;
  int result = 1;
  try {
    result = Run();
  } catch (...) {
    std::printf("preview bench: a call on the control failed\n");
  }
  return result;
}
