// The engine process's shared state: the cameras, the sessions of all
// clients, and the frame clock. The clock is a window timer on the server
// thread, so frames are produced between COM calls and nothing needs a
// lock. Each tick also looks for clients whose process has died, and
// every few seconds for capture devices that left or joined the system
// (EngineDevices.cpp).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Camera.h"
#include "CameraConfig.h"
#include "CaptureDevices.h"
#include "DeviceListWatch.h"
#include "Session.h"
#include "common/UniqueHandle.h"

namespace engine {

// Run once when the engine has decided to end (set by the program).
extern void (*EngineEndHandler)();

class Engine {
 public:
  static Engine& Instance();

  // Reads the configuration and starts the frame clock.
  HRESULT Start();
  void Shutdown();

  // Replaces the cameras; refused (E_FAIL) while any client has a camera.
  HRESULT Reconfigure(const EngineConfig& config);

  long CameraCount() const noexcept { return static_cast<long>(cameras_.size()); }
  Camera* CameraAt(long index) noexcept;
  Camera* FindCamera(const CameraRecord& record) noexcept;

  void Add(Session* session);
  void Remove(Session* session);
  const std::vector<Session*>& Sessions() const noexcept { return sessions_; }

  bool InUse(const Camera& camera) const noexcept;
  // Starts a capture device's graph for a connecting client (reason 16
  // when the device gives no frame within two seconds).
  HRESULT StartCapture(Camera& camera);
  // A client let go of the camera: a device nobody uses stops capturing.
  void CameraReleased(Camera& camera);
  // The camera was unplugged (state 1, recordings end with 1544 reason 2,
  // its clients get 1554) or plugged in again (state 0, 1555 and 1562 to
  // every client). A device that joins the system later is told the same
  // way (see LookForDevices).
  void CameraLost(Camera& camera);
  void CameraBack(Camera& camera);
  bool AnyRecording() const noexcept;
  bool Recording(const Camera& camera) const noexcept;

  // Posts to every session connected to the camera (except `except`).
  void PostToUsers(const Camera& camera, UINT message, WPARAM wParam, LPARAM lParam,
                   const Session* except = nullptr) const;
  void PostToAll(UINT message, WPARAM wParam, LPARAM lParam) const;

  // Milliseconds after which the engine dialog closes itself (0 = never).
  DWORD dialogAutoCloseMs = 0;
  bool dialogOpen = false;

  HWND ClockWindow() const noexcept { return window_.get(); }
  // Asks the clock window to check (outside any COM call) whether the
  // engine has become idle and should end.
  void RequestIdleCheck() const noexcept;

 private:
  Engine() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnTick();
  // From capture graphs (wParam: the camera's index): a new frame, an event.
  static constexpr UINT kDeviceFrameMessage = WM_APP + 2;
  static constexpr UINT kDeviceEventMessage = WM_APP + 3;

  void OnDeviceFrame(WPARAM cookie);
  void OnDeviceEvent(WPARAM cookie);
  void WatchDevices();
  // A device nobody captures from, or one that did not open yet, is looked
  // for in the system's list every few seconds.
  bool DevicesToRecheck() const;
  // Devices nobody captures from, gone or back by the system's list; and
  // devices that joined it since the camera list was made.
  void LookForDevices();
  // Puts the device after the devices listed so far (before the synthetic
  // cameras) and numbers the cameras after it again; false when it does
  // not open (tried again at the next look) or offers no format the
  // engine reads (remembered, so that it is not bound again every few
  // seconds).
  bool AddDevice(const CaptureDevice& device);
  bool Known(const CaptureDevice& device) const;
  void Deliver(Camera& camera);
  void DropDeadClients();
  bool NeedsFrames(const Camera& camera) const noexcept;
  void OnIdleCheck();

  std::vector<std::unique_ptr<Camera>> cameras_;
  std::vector<Session*> sessions_;
  common::UniqueWindow window_;
  bool devicesOn_ = true;
  std::vector<std::wstring> unusableDevices_, unopenedDevices_;
  int frameRate_ = 15;
  DWORD startedAt_ = 0;
  DWORD lastDeviceList_ = 0;
  DeviceListWatch deviceWatch_;
};

}  // namespace engine
