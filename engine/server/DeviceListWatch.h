// Tells the engine when the system's list of video capture devices may have
// changed, so that it reads the list then rather than every few seconds:
// reading it through the system device enumerator costs a registry pass
// (and, under Wine 8, one registry handle that is never closed).
//  - Plug and play capture devices: their video interface arriving or
//    leaving, as WM_DEVICECHANGE to the engine's window.
//  - Software cameras: a change under the video input category's key,
//    where a registered filter adds its instance.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace engine {

class DeviceListWatch {
 public:
  // Each part that cannot be set up is left out; the list is then read
  // again only on reload.
  void Start(HWND window);
  void Stop();
  // WM_DEVICECHANGE: an arrival or removal of a device interface counts.
  void OnDeviceChange(WPARAM event) noexcept;
  // True once after a change, and the registry watch armed again.
  bool TakeChange();

 private:
  void ArmKeys();

  common::UniqueDeviceNotification notification_;
  common::UniqueRegKey machineKey_, userKey_;
  common::UniqueKernelHandle keyChanged_;
  bool changed_ = false;
};

}  // namespace engine
