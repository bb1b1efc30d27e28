// Enumeration of the video input device category.
#include "CaptureDevices.h"

#include <windows.h>

#include <dshow.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "EngineRecords.h"
#include "StreamFormats.h"
#include "common/ComPtr.h"
#include "common/Strings.h"

namespace engine {
namespace {

std::string PropertyText(IPropertyBag* bag, const wchar_t* name) {
  VARIANT value;
  ::VariantInit(&value);
  std::string text;
  if (SUCCEEDED(bag->Read(name, &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal) {
    text = common::WideToAnsi(value.bstrVal);
  }
  ::VariantClear(&value);
  return text;
}

std::wstring DisplayName(IMoniker* moniker) {
  LPOLESTR name = nullptr;
  std::wstring text;
  if (SUCCEEDED(moniker->GetDisplayName(nullptr, nullptr, &name)) && name) text = name;
  ::CoTaskMemFree(name);
  return text;
}

// The four hex digits after `key` ("vid_") in a lower-case path, or -1.
long HexAfter(const std::string& lower, const char* key) {
  const std::size_t at = lower.find(key);
  if (at == std::string::npos || at + 8 > lower.size()) return -1;
  const std::string digits = lower.substr(at + 4, 4);
  char* end = nullptr;
  const long value = std::strtol(digits.c_str(), &end, 16);
  return end && *end == '\0' ? value : -1;
}

}  // namespace

std::uint32_t PathHash(const std::string& text) noexcept {
  std::uint32_t hash = 2166136261u;
  for (unsigned char c : text) {
    hash ^= static_cast<std::uint32_t>(std::tolower(c));
    hash *= 16777619u;
  }
  return hash;
}

std::vector<CaptureDevice> ListCaptureDevices() {
  std::vector<CaptureDevice> devices;
  common::ComPtr<ICreateDevEnum> enumerator;
  if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                enumerator.put_void()))) {
    return devices;
  }
  common::ComPtr<IEnumMoniker> monikers;
  // S_FALSE with no enumerator: the category is empty.
  if (enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.put(), 0) != S_OK || !monikers) {
    return devices;
  }
  common::ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.put(), nullptr) == S_OK) {
    common::ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.put_void()))) continue;
    CaptureDevice device;
    device.name = PropertyText(bag.get(), L"FriendlyName");
    device.monikerName = DisplayName(moniker.get());
    device.path = PropertyText(bag.get(), L"DevicePath");
    if (device.path.empty()) device.path = common::WideToAnsi(device.monikerName);
    if (device.name.empty()) device.name = "Video Capture Device";
    if (!device.monikerName.empty()) devices.push_back(std::move(device));
  }
  return devices;
}

CameraDefinition DeviceDefinition(const CaptureDevice& device, const std::vector<FrameSize>& sizes,
                                  const std::vector<FrameSize>& stillSizes) {
  CameraDefinition definition;
  definition.name = device.name;
  definition.device = device.path;
  definition.type = kCameraTypeCaptureDevice;
  std::string lower = device.path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  const std::uint32_t hash = PathHash(device.path);
  const long vendor = HexAfter(lower, "vid_"), product = HexAfter(lower, "pid_");
  definition.vendorId = static_cast<std::uint16_t>(vendor >= 0 ? vendor : hash >> 16);
  definition.productId = static_cast<std::uint16_t>(product >= 0 ? product : hash & 0xFFFF);
  // The product number of "any camera of its type" is kept for that meaning.
  if (definition.productId == kAnyProductOfType) definition.productId ^= 0x8000;
  definition.serial = hash;
  if (!sizes.empty()) definition.sizes = sizes;
  definition.stillPin = !stillSizes.empty();
  definition.stillSizes = {LargestSize(definition.stillPin ? stillSizes : definition.sizes)};
  const bool has320 = std::find(definition.sizes.begin(), definition.sizes.end(), FrameSize{320, 240}) !=
                      definition.sizes.end();
  definition.initialSize = has320 ? FrameSize{320, 240} : definition.sizes.front();
  definition.indicatorValue = 1;
  return definition;
}

}  // namespace engine
