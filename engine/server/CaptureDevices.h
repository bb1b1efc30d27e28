// The computer's video capture devices: the video input device category of
// the system device enumerator, each with its display name, the string that
// identifies it (the device path; the moniker's display name when the
// device has none) and the identity the engine's camera record carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CameraConfig.h"

namespace engine {

struct CaptureDevice {
  std::string name;             // FriendlyName
  std::wstring monikerName;     // display name of the moniker (binds the filter)
  std::string path;             // DevicePath, else the moniker's display name
};

// The devices present now; empty when there are none (or no enumerator).
std::vector<CaptureDevice> ListCaptureDevices();

// The camera definition of a device: identifiers and serial derived from
// its path (the USB vendor and product numbers when the path has them), so
// that the same device is recognised again; sizes from its capture pin;
// the still size is the largest of its still pin, else the largest
// capture size.
CameraDefinition DeviceDefinition(const CaptureDevice& device, const std::vector<FrameSize>& sizes,
                                  const std::vector<FrameSize>& stillSizes);

// FNV-1a of the text, case-insensitive (device paths differ in case).
std::uint32_t PathHash(const std::string& text) noexcept;

}  // namespace engine
