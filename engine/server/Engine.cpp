// The engine's shared state and frame clock.
#include "Engine.h"

#include <algorithm>

#include "EngineMessages.h"
#include "Log.h"
#include "ServerLifetime.h"

namespace engine {
namespace {

constexpr wchar_t kClockClass[] = L"CameraEngineClock";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;
constexpr UINT kIdleCheckMessage = WM_APP + 1;
// An engine that nobody connects to ends after this long.
constexpr DWORD kStartupGraceMs = 15000;

}  // namespace

void (*EngineEndHandler)() = nullptr;

Engine& Engine::Instance() {
  static Engine instance;
  return instance;
}

HRESULT Engine::Start() {
  const HRESULT hr = Reconfigure(LoadEngineConfig(DefaultConfigPath()));
  if (FAILED(hr)) return hr;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Engine::WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClockClass;
  ::RegisterClassW(&windowClass);
  window_.reset(::CreateWindowExW(0, kClockClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr));
  if (!window_) return HRESULT_FROM_WIN32(::GetLastError());
  ::SetTimer(window_.get(), kFrameTimer, 1000 / frameRate_, nullptr);
  ::SetTimer(window_.get(), kIdleTimer, 1000, nullptr);
  deviceWatch_.Start(window_.get());
  startedAt_ = ::GetTickCount();
  return S_OK;
}

void Engine::Shutdown() {
  for (Session* session : sessions_) session->Drop();
  sessions_.clear();
  // Graphs first: they post to the window.
  cameras_.clear();
  deviceWatch_.Stop();
  window_.reset();
}

HRESULT Engine::Reconfigure(const EngineConfig& config) {
  for (const Session* session : sessions_) {
    if (session->camera) return E_FAIL;
  }
  cameras_.clear();
  unusableDevices_.clear();
  unopenedDevices_.clear();
  devicesOn_ = config.devices;
  if (devicesOn_) {
    for (const CaptureDevice& device : ListCaptureDevices()) AddDevice(device);
  }
  for (const CameraDefinition& definition : config.cameras) {
    cameras_.push_back(std::make_unique<Camera>(definition, static_cast<std::uint32_t>(cameras_.size())));
  }
  frameRate_ = config.frameRate;
  if (window_) ::SetTimer(window_.get(), kFrameTimer, 1000 / frameRate_, nullptr);
  return S_OK;
}

Camera* Engine::CameraAt(long index) noexcept {
  if (index < 0 || index >= CameraCount()) return nullptr;
  return cameras_[static_cast<std::size_t>(index)].get();
}

Camera* Engine::FindCamera(const CameraRecord& record) noexcept {
  // The index the engine put into the record first, then any camera with
  // the same identity (the order of cameras may have changed).
  if (Camera* byIndex = CameraAt(static_cast<long>(record.index)); byIndex && byIndex->Matches(record)) {
    return byIndex;
  }
  for (auto& camera : cameras_) {
    if (camera->Matches(record)) return camera.get();
  }
  return nullptr;
}

void Engine::Add(Session* session) { sessions_.push_back(session); }

void Engine::Remove(Session* session) {
  sessions_.erase(std::remove(sessions_.begin(), sessions_.end(), session), sessions_.end());
}

bool Engine::InUse(const Camera& camera) const noexcept {
  return std::any_of(sessions_.begin(), sessions_.end(),
                     [&](const Session* s) { return s->camera == &camera; });
}

bool Engine::AnyRecording() const noexcept {
  return std::any_of(sessions_.begin(), sessions_.end(),
                     [](const Session* s) { return s->movie.Active(); });
}

bool Engine::Recording(const Camera& camera) const noexcept {
  return std::any_of(sessions_.begin(), sessions_.end(), [&](const Session* s) {
    return s->camera == &camera && s->movie.Active();
  });
}

void Engine::PostToUsers(const Camera& camera, UINT message, WPARAM wParam, LPARAM lParam,
                         const Session* except) const {
  for (const Session* session : sessions_) {
    if (session->camera == &camera && session != except) session->Post(message, wParam, lParam);
  }
}

void Engine::PostToAll(UINT message, WPARAM wParam, LPARAM lParam) const {
  for (const Session* session : sessions_) session->Post(message, wParam, lParam);
}

void Engine::RequestIdleCheck() const noexcept {
  if (window_) ::PostMessageW(window_.get(), kIdleCheckMessage, 0, 0);
}

bool Engine::NeedsFrames(const Camera& camera) const noexcept {
  return std::any_of(sessions_.begin(), sessions_.end(), [&](const Session* s) {
    return s->camera == &camera &&
           (s->preview.On() || s->hook.On() || s->motionReport != 0 ||
            (s->movie.Active() && !s->movie.StepMode()));
  });
}

void Engine::OnTick() {
  DropDeadClients();
  for (auto& camera : cameras_) {
    if (camera->IsDevice() || camera->Gone() || !NeedsFrames(*camera)) continue;
    if (FAILED(camera->NextFrame())) continue;
    Deliver(*camera);
  }
  WatchDevices();
}

void Engine::Deliver(Camera& camera) {
  // A session may end a recording (and post) while frames are handed
  // out; the list itself does not change during the loop.
  for (Session* session : sessions_) {
    if (session->camera == &camera) session->OnFrame(camera.Latest(), camera.FrameNumber());
  }
}

void Engine::DropDeadClients() {
  for (Session* session : sessions_) {
    if (session->dropped || !session->ClientDied()) continue;
    LogLine("client process of \"%s\" has ended; dropping its engine object",
            session->uniqueName.c_str());
    session->Drop();
    ServerLifetime::ObjectGone();
  }
}

void Engine::OnIdleCheck() {
  if (ServerLifetime::Count() != 0 || ServerLifetime::Ending()) return;
  ServerLifetime::BeginEnding();
  if (EngineEndHandler) EngineEndHandler();
}

LRESULT CALLBACK Engine::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    Engine& engine = Instance();
    if (message == WM_TIMER && wParam == kFrameTimer) {
      engine.OnTick();
      return 0;
    }
    if (message == WM_TIMER && wParam == kIdleTimer) {
      if (ServerLifetime::Count() == 0 && ::GetTickCount() - engine.startedAt_ > kStartupGraceMs) {
        engine.OnIdleCheck();
      }
      return 0;
    }
    if (message == kDeviceFrameMessage) {
      engine.OnDeviceFrame(wParam);
      return 0;
    }
    if (message == kDeviceEventMessage) {
      engine.OnDeviceEvent(wParam);
      return 0;
    }
    if (message == WM_DEVICECHANGE) {
      engine.deviceWatch_.OnDeviceChange(wParam);
      return TRUE;
    }
    if (message == kIdleCheckMessage) {
      engine.OnIdleCheck();
      return 0;
    }
  } catch (...) {
    LogLine("unexpected exception in the clock window (message %u)", message);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace engine
