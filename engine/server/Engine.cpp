// The engine's shared state and frame clock.
#include "Engine.h"

#include <algorithm>

#include "CaptureDevices.h"
#include "EngineMessages.h"
#include "Log.h"
#include "ServerLifetime.h"

namespace engine {
namespace {

constexpr wchar_t kClockClass[] = L"CameraEngineClock";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;
constexpr UINT kIdleCheckMessage = WM_APP + 1;
// From capture graphs (wParam: the camera's index): a new frame, an event.
constexpr UINT kDeviceFrameMessage = WM_APP + 2;
constexpr UINT kDeviceEventMessage = WM_APP + 3;
// A device that delivers nothing for this long is taken as unplugged.
constexpr DWORD kDeviceSilenceMs = 2000;
// How often the devices nobody captures from are looked for.
constexpr DWORD kDeviceListPollMs = 3000;
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
  startedAt_ = ::GetTickCount();
  return S_OK;
}

void Engine::Shutdown() {
  for (Session* session : sessions_) session->Drop();
  sessions_.clear();
  // Graphs first: they post to the window.
  cameras_.clear();
  window_.reset();
}

HRESULT Engine::Reconfigure(const EngineConfig& config) {
  for (const Session* session : sessions_) {
    if (session->camera) return E_FAIL;
  }
  cameras_.clear();
  if (config.devices) {
    for (const CaptureDevice& device : ListCaptureDevices()) {
      common::ComPtr<IBaseFilter> filter;
      std::vector<FrameSize> sizes;
      if (SUCCEEDED(BindDeviceFilter(device.monikerName, &filter))) sizes = DeviceSizes(filter.get());
      if (sizes.empty()) {
        LogLine("capture device \"%s\" offers no format the engine reads", device.name.c_str());
        continue;
      }
      const auto index = static_cast<std::uint32_t>(cameras_.size());
      cameras_.push_back(std::make_unique<Camera>(DeviceDefinition(device, sizes), index, device.monikerName));
    }
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

HRESULT Engine::StartCapture(Camera& camera) {
  if (!camera.IsDevice()) return S_OK;
  const HRESULT hr = camera.StartCapture(window_.get(), kDeviceFrameMessage, kDeviceEventMessage);
  if (FAILED(hr)) {
    LogLine("capture device \"%s\" did not start: 0x%08lX", camera.Definition().name.c_str(),
            static_cast<unsigned long>(hr));
  }
  return hr;
}

void Engine::CameraReleased(Camera& camera) {
  if (camera.IsDevice() && !InUse(camera)) camera.StopCapture();
}

void Engine::CameraLost(Camera& camera) {
  camera.SetState(Camera::kStateGone);
  for (Session* session : sessions_) {
    if (session->camera == &camera) session->EndRecording(2);
  }
  PostToUsers(camera, kMsgCameraLost, 0, 0);
}

void Engine::CameraBack(Camera& camera) {
  camera.SetState(Camera::kStateReady);
  PostToAll(kMsgReconnectRequest, 0, 0);
  PostToAll(kMsgReconnected, 0, 0);
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

// A device whose graph runs but delivers nothing is taken as unplugged
// (it comes back with its next frame).
void Engine::WatchDevices() {
  const DWORD now = ::GetTickCount();
  if (now - lastDeviceList_ >= kDeviceListPollMs) {
    lastDeviceList_ = now;
    LookForIdleDevices();
  }
  for (auto& camera : cameras_) {
    if (!camera->IsDevice() || !camera->Capturing() || camera->Gone()) continue;
    const DWORD last = camera->LastDelivery();
    if (now - (last ? last : camera->CaptureStarted()) > kDeviceSilenceMs) {
      LogLine("capture device \"%s\" stopped delivering", camera->Definition().name.c_str());
      CameraLost(*camera);
    }
  }
}

// A device nobody captures from has no graph to report its loss: it is
// gone when the system no longer lists it, and back when it does again.
void Engine::LookForIdleDevices() {
  const bool anyIdle = std::any_of(cameras_.begin(), cameras_.end(),
                                   [](const auto& c) { return c->IsDevice() && !c->Capturing(); });
  if (!anyIdle) return;
  const std::vector<CaptureDevice> present = ListCaptureDevices();
  for (auto& camera : cameras_) {
    if (!camera->IsDevice() || camera->Capturing()) continue;
    const bool listed = std::any_of(present.begin(), present.end(), [&](const CaptureDevice& d) {
      return d.monikerName == camera->MonikerName();
    });
    if (!listed && !camera->Gone()) {
      LogLine("capture device \"%s\" is no longer listed", camera->Definition().name.c_str());
      CameraLost(*camera);
    } else if (listed && camera->Gone()) {
      CameraBack(*camera);
    }
  }
}

void Engine::OnDeviceFrame(WPARAM cookie) {
  Camera* camera = CameraAt(static_cast<long>(cookie));
  if (!camera || !camera->IsDevice() || !camera->TakeDeviceFrame()) return;
  if (camera->Gone()) CameraBack(*camera);
  if (NeedsFrames(*camera)) Deliver(*camera);
}

void Engine::OnDeviceEvent(WPARAM cookie) {
  Camera* camera = CameraAt(static_cast<long>(cookie));
  if (!camera || !camera->IsDevice()) return;
  switch (camera->ReadDeviceEvents()) {
    case DeviceEvent::kLost:
      if (camera->Gone()) break;
      LogLine("capture device \"%s\" was removed", camera->Definition().name.c_str());
      CameraLost(*camera);
      break;
    case DeviceEvent::kBack:
      if (camera->Gone()) CameraBack(*camera);
      break;
    case DeviceEvent::kNone: break;
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
