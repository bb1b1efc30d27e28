// Device settings through IAMVideoProcAmp and IAMCameraControl.
#include "DeviceProperties.h"

#include "EngineCommands.h"
#include "common/ComPtr.h"

namespace engine {
namespace {

constexpr long kProcAmpBase = 200, kCameraControlBase = 220;

bool IsProcAmp(long number) { return number >= kPropBrightness && number <= kPropGain && number != 206; }

}  // namespace

bool IsDeviceProperty(long number) noexcept {
  return IsProcAmp(number) || number == kPropZoom || number == kPropExposure || number == kPropFocus;
}

const std::vector<long>& DevicePropertyNumbers() {
  static const std::vector<long> numbers = {kPropBrightness, kPropContrast,     kPropHue,
                                            kPropSaturation, kPropSharpness,    kPropGamma,
                                            kPropWhiteBalance, kPropBacklightCompensation, kPropGain,
                                            kPropZoom,       kPropExposure,     kPropFocus};
  return numbers;
}

HRESULT ReadDeviceProperty(IBaseFilter* device, long number, long* value) {
  if (!device || !IsDeviceProperty(number)) return E_INVALIDARG;
  long flags = 0;
  if (IsProcAmp(number)) {
    common::ComPtr<IAMVideoProcAmp> amp;
    const HRESULT hr = device->QueryInterface(IID_IAMVideoProcAmp, amp.put_void());
    return FAILED(hr) ? hr : amp->Get(number - kProcAmpBase, value, &flags);
  }
  common::ComPtr<IAMCameraControl> control;
  const HRESULT hr = device->QueryInterface(IID_IAMCameraControl, control.put_void());
  return FAILED(hr) ? hr : control->Get(number - kCameraControlBase, value, &flags);
}

HRESULT WriteDeviceProperty(IBaseFilter* device, long number, long value) {
  if (!device || !IsDeviceProperty(number)) return E_INVALIDARG;
  long min = 0, max = 0, step = 0, fallback = 0, flags = 0;
  if (IsProcAmp(number)) {
    common::ComPtr<IAMVideoProcAmp> amp;
    HRESULT hr = device->QueryInterface(IID_IAMVideoProcAmp, amp.put_void());
    if (SUCCEEDED(hr)) hr = amp->GetRange(number - kProcAmpBase, &min, &max, &step, &fallback, &flags);
    if (FAILED(hr)) return hr;
    if (value < min || value > max) return E_INVALIDARG;
    return amp->Set(number - kProcAmpBase, value, VideoProcAmp_Flags_Manual);
  }
  common::ComPtr<IAMCameraControl> control;
  HRESULT hr = device->QueryInterface(IID_IAMCameraControl, control.put_void());
  if (SUCCEEDED(hr)) hr = control->GetRange(number - kCameraControlBase, &min, &max, &step, &fallback, &flags);
  if (FAILED(hr)) return hr;
  if (value < min || value > max) return E_INVALIDARG;
  return control->Set(number - kCameraControlBase, value, CameraControl_Flags_Manual);
}

}  // namespace engine
