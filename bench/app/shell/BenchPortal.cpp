// The benchmarks' hosted control.
#include "BenchPortal.h"

#include <cstdio>

#include "common/ComInit.h"
#include "engine/interface/EngineCommands.h"

namespace bench {

BenchPortal::BenchPortal()
    : window_(::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 600,
                                nullptr, nullptr, nullptr, nullptr)),
      host_(window_.get(), &events_) {}

BenchPortal::~BenchPortal() {
  try {
    if (connected_) client_.DisconnectCamera();
  } catch (...) {  // the engine is gone; nothing left to release there
  }
  host_.Close();
}

bool BenchPortal::Open(const char* name, const std::string& engineConfig) {
  if (FAILED(host_.Create(RECT{0, 0, 640, 520}))) {
    std::printf("%s: the control could not be created\n", name);
    return false;
  }
  client_ = torvane::PortalClient(host_.DispatchPtr());
  client_.PrepareControl(L"TorvaneBench", L"HKEY_CURRENT_USER\\Software\\Velkor\\TorvaneBench", 0);
  if (!engineConfig.empty()) {
    client_.SendCommand(engine::kScenarioReloadConfig, 0, 0, engineConfig.c_str(),
                        static_cast<long>(engineConfig.size() + 1));
  }
  client_.ConnectCamera2();
  connected_ = client_.CameraConnected() != 0;
  if (!connected_ || client_.SetVideoFormat(640, 480, 24, 0) != 1) {
    std::printf("%s: no camera at 640x480\n", name);
    return false;
  }
  return true;
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + name;
}

int RunHosted(const char* name, int (*run)()) {
  const common::OleInit ole;
  if (!ole.MustUninitialize()) return 1;
  try {
    return run();
  } catch (...) {
    std::printf("%s: a call on the control failed\n", name);
    return 1;
  }
}

}  // namespace bench
