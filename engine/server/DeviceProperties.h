// Camera properties of a capture device: the numbers 200..209 are the
// device's video processing amplifier settings (brightness, contrast, hue,
// saturation, sharpness, gamma, white balance, backlight compensation,
// gain), 223, 224 and 226 its camera control (zoom, exposure, focus), each
// in the device's own units.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <vector>

namespace engine {

// True for the numbers above (whether or not a device has the setting).
bool IsDeviceProperty(long number) noexcept;
// All of them, in order (saved with the camera's settings).
const std::vector<long>& DevicePropertyNumbers();

// Reads a setting; fails when the device does not have it.
HRESULT ReadDeviceProperty(IBaseFilter* device, long number, long* value);
// Sets it manually; E_INVALIDARG outside the device's range.
HRESULT WriteDeviceProperty(IBaseFilter* device, long number, long value);

}  // namespace engine
