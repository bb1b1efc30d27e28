// The engine's capture devices: adding them to the camera list, starting
// and stopping their capture, their loss and return, and devices that
// join the system while the engine runs.
#include <algorithm>

#include "Engine.h"
#include "EngineMessages.h"
#include "Log.h"
#include "StreamFormats.h"

namespace engine {
namespace {

// A device that delivers nothing for this long is taken as unplugged.
constexpr DWORD kDeviceSilenceMs = 2000;
// How often the system's list of devices is read (to find devices nobody
// captures from gone or back, and devices that joined).
constexpr DWORD kDeviceListPollMs = 3000;

}  // namespace

bool Engine::Known(const CaptureDevice& device) const {
  const bool listed = std::any_of(cameras_.begin(), cameras_.end(),
                                  [&](const auto& c) { return c->MonikerName() == device.monikerName; });
  return listed || std::find(unusableDevices_.begin(), unusableDevices_.end(), device.monikerName) !=
                       unusableDevices_.end();
}

bool Engine::AddDevice(const CaptureDevice& device) {
  common::ComPtr<IBaseFilter> filter;
  const HRESULT bound = BindDeviceFilter(device.monikerName, &filter);
  if (FAILED(bound)) {
    // A device just plugged in may not open yet: the next look tries
    // again (logged once).
    if (std::find(unopenedDevices_.begin(), unopenedDevices_.end(), device.monikerName) == unopenedDevices_.end()) {
      LogLine("capture device \"%s\" does not open: 0x%08lX", device.name.c_str(), static_cast<unsigned long>(bound));
      unopenedDevices_.push_back(device.monikerName);
    }
    return false;
  }
  const std::vector<FrameSize> sizes = DeviceSizes(filter.get()), stillSizes = DeviceStillSizes(filter.get());
  if (sizes.empty()) {
    LogLine("capture device \"%s\" offers no format the engine reads", device.name.c_str());
    unusableDevices_.push_back(device.monikerName);
    return false;
  }
  const auto devices = std::find_if(cameras_.begin(), cameras_.end(), [](const auto& c) { return !c->IsDevice(); });
  const auto position = static_cast<std::uint32_t>(devices - cameras_.begin());
  cameras_.insert(devices, std::make_unique<Camera>(DeviceDefinition(device, sizes, stillSizes), position,
                                                    device.monikerName));
  // Only synthetic cameras follow: no graph carries their index.
  for (std::size_t i = position + 1; i < cameras_.size(); ++i) {
    cameras_[i]->SetIndex(static_cast<std::uint32_t>(i));
  }
  return true;
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

// A device whose graph runs but delivers nothing is taken as unplugged
// (it comes back with its next frame).
void Engine::WatchDevices() {
  const bool changed = deviceWatch_.TakeChange();
  if (changed || (DevicesToRecheck() && ::GetTickCount() - lastDeviceList_ >= kDeviceListPollMs)) {
    lastDeviceList_ = ::GetTickCount();
    LookForDevices();
  }
  // Read after the look at the list: a frame delivered meanwhile is newer
  // than an earlier reading (and a signed difference keeps one that
  // arrives now from counting as a silence of 49 days).
  const DWORD now = ::GetTickCount();
  for (auto& camera : cameras_) {
    if (!camera->IsDevice() || !camera->Capturing() || camera->Gone()) continue;
    const DWORD last = camera->LastDelivery();
    const auto silence = static_cast<LONG>(now - (last ? last : camera->CaptureStarted()));
    if (silence > static_cast<LONG>(kDeviceSilenceMs)) {
      LogLine("capture device \"%s\" stopped delivering", camera->Definition().name.c_str());
      CameraLost(*camera);
    }
  }
}

bool Engine::DevicesToRecheck() const {
  if (!devicesOn_) return false;
  if (!unopenedDevices_.empty()) return true;
  return std::any_of(cameras_.begin(), cameras_.end(),
                     [](const std::unique_ptr<Camera>& camera) { return camera->IsDevice() && !camera->Capturing(); });
}

// A device nobody captures from has no graph to report its loss: it is
// gone when the system no longer lists it, and back when it does again.
// A device the list did not have joins it, and every client is told as
// for a device plugged in again: 1555 lets a client without a camera
// connect it, 1562 lets a connected one read its camera's index, which
// moves when the device joins before its synthetic camera.
void Engine::LookForDevices() {
  if (!devicesOn_) return;
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
  bool joined = false;
  for (const CaptureDevice& device : present) {
    if (Known(device) || !AddDevice(device)) continue;
    LogLine("capture device \"%s\" joined the camera list", device.name.c_str());
    joined = true;
  }
  if (joined) {
    PostToAll(kMsgReconnectRequest, 0, 0);
    PostToAll(kMsgReconnected, 0, 0);
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

}  // namespace engine
