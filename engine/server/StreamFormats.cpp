// Pin categories, stream capabilities and the choice of a format.
#include "StreamFormats.h"

#include <algorithm>

namespace engine {
namespace {

constexpr int kMaxWidth = 1600, kMaxHeight = 1200, kMinSide = 16;

void FreeType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  FreeTypeContents(*type);
  ::CoTaskMemFree(type);
}

bool SizeInRange(FrameSize size) {
  return size.width >= kMinSide && size.height >= kMinSide && size.width <= kMaxWidth &&
         size.height <= kMaxHeight;
}

// Cheapest to convert first: RGB24 is copied, RGB32 repacked, YUV computed.
int Rank(media::PixelFormat format) { return static_cast<int>(format); }

// A compressed format the graph decodes for the engine (MJPG through the
// system's decompressor): the size it offers.
bool GraphDecodes(const AM_MEDIA_TYPE& type, FrameSize* size) {
  if (type.majortype != MEDIATYPE_Video || type.subtype != MEDIASUBTYPE_MJPG ||
      type.formattype != FORMAT_VideoInfo || !type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER)) {
    return false;
  }
  const BITMAPINFOHEADER& h = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
  *size = {h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight};
  return SizeInRange(*size);
}

bool PinOfCategory(IPin* pin, const GUID& wanted) {
  PIN_DIRECTION direction;
  if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) return false;
  const bool untold = wanted == PIN_CATEGORY_CAPTURE;
  common::ComPtr<IKsPropertySet> properties;
  if (FAILED(pin->QueryInterface(IID_IKsPropertySet, properties.put_void()))) return untold;
  GUID category = GUID_NULL;
  DWORD returned = 0;
  if (FAILED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof(category),
                             &returned))) {
    return untold;
  }
  return category == wanted;
}

// Calls visit(type, format, size) for every readable capability, and
// decoded(type, size) for every one the graph decodes.
template <typename Visit, typename Decoded>
void ForEachCapability(IAMStreamConfig* config, Visit visit, Decoded decoded) {
  int count = 0, bytes = 0;
  if (FAILED(config->GetNumberOfCapabilities(&count, &bytes)) ||
      bytes < static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS))) {
    return;
  }
  std::vector<BYTE> caps(static_cast<std::size_t>(bytes));
  for (int i = 0; i < count; ++i) {
    AM_MEDIA_TYPE* type = nullptr;
    if (config->GetStreamCaps(i, &type, caps.data()) != S_OK || !type) continue;
    media::PixelFormat format;
    FrameSize size;
    bool topDown;
    if (ReadType(*type, &format, &size, &topDown)) visit(*type, format, size);
    else if (GraphDecodes(*type, &size)) decoded(*type, size);
    FreeType(type);
  }
}

}  // namespace

void FreeTypeContents(AM_MEDIA_TYPE& type) noexcept {
  if (type.pbFormat) ::CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

bool ReadType(const AM_MEDIA_TYPE& type, media::PixelFormat* format, FrameSize* size, bool* topDown) {
  if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo || !type.pbFormat ||
      type.cbFormat < sizeof(VIDEOINFOHEADER)) {
    return false;
  }
  if (type.subtype == MEDIASUBTYPE_RGB24) *format = media::PixelFormat::kRgb24;
  else if (type.subtype == MEDIASUBTYPE_RGB32) *format = media::PixelFormat::kRgb32;
  else if (type.subtype == MEDIASUBTYPE_YUY2) *format = media::PixelFormat::kYuy2;
  else if (type.subtype == MEDIASUBTYPE_NV12) *format = media::PixelFormat::kNv12;
  else return false;
  const BITMAPINFOHEADER& h = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
  // RGB with a negative height is top-down; YUV formats always are.
  const bool rgb = *format == media::PixelFormat::kRgb24 || *format == media::PixelFormat::kRgb32;
  *topDown = rgb ? h.biHeight < 0 : true;
  *size = {h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight};
  return SizeInRange(*size);
}

common::ComPtr<IPin> DevicePin(IBaseFilter* filter, const GUID& category) {
  common::ComPtr<IEnumPins> pins;
  common::ComPtr<IPin> pin;
  if (!filter || FAILED(filter->EnumPins(pins.put()))) return pin;
  while (pins->Next(1, pin.put(), nullptr) == S_OK) {
    if (PinOfCategory(pin.get(), category)) return pin;
  }
  pin.reset();
  return pin;
}

common::ComPtr<IAMStreamConfig> PinStreamConfig(IBaseFilter* filter, const GUID& category) {
  common::ComPtr<IAMStreamConfig> config;
  if (common::ComPtr<IPin> pin = DevicePin(filter, category)) {
    pin->QueryInterface(IID_IAMStreamConfig, config.put_void());
  }
  return config;
}

std::vector<FrameSize> OfferedSizes(IAMStreamConfig* config) {
  std::vector<FrameSize> sizes;
  if (!config) return sizes;
  auto add = [&](FrameSize size) {
    if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
  };
  ForEachCapability(
      config, [&](const AM_MEDIA_TYPE&, media::PixelFormat, FrameSize size) { add(size); },
      [&](const AM_MEDIA_TYPE&, FrameSize size) { add(size); });
  std::sort(sizes.begin(), sizes.end(), [](FrameSize a, FrameSize b) {
    return a.width * a.height != b.width * b.height ? a.width * a.height < b.width * b.height : a.width < b.width;
  });
  return sizes;
}

std::vector<FrameSize> DeviceSizes(IBaseFilter* filter) {
  return OfferedSizes(PinStreamConfig(filter, PIN_CATEGORY_CAPTURE).get());
}

std::vector<FrameSize> DeviceStillSizes(IBaseFilter* filter) {
  return OfferedSizes(PinStreamConfig(filter, PIN_CATEGORY_STILL).get());
}

FrameSize LargestSize(const std::vector<FrameSize>& sizes) {
  FrameSize largest;
  for (const FrameSize size : sizes) {
    if (size.width * size.height > largest.width * largest.height) largest = size;
  }
  return largest;
}

HRESULT ChooseFormat(IAMStreamConfig* config, FrameSize size, bool* graphDecodes) {
  if (!config) return VFW_E_NO_CAPTURE_HARDWARE;
  int best = -1;
  bool decodable = false;
  ForEachCapability(
      config,
      [&](const AM_MEDIA_TYPE&, media::PixelFormat format, FrameSize offered) {
        if (offered == size && (best < 0 || Rank(format) < best)) best = Rank(format);
      },
      [&](const AM_MEDIA_TYPE&, FrameSize offered) { decodable = decodable || offered == size; });
  if (best < 0 && !decodable) return VFW_E_TYPE_NOT_ACCEPTED;
  // Formats the engine reads first; a compressed one only where the device
  // has no other at that size, decoded by the graph into RGB24.
  const bool decodes = best < 0;
  *graphDecodes = decodes;
  HRESULT result = VFW_E_TYPE_NOT_ACCEPTED;
  bool done = false;
  auto choose = [&](const AM_MEDIA_TYPE& type) {
    AM_MEDIA_TYPE copy = type;
    result = config->SetFormat(&copy);
    done = true;
  };
  // The format is set while the pin is unconnected: the device connects
  // with it (a connected pin may not change).
  ForEachCapability(
      config,
      [&](const AM_MEDIA_TYPE& type, media::PixelFormat format, FrameSize offered) {
        if (!done && !decodes && offered == size && Rank(format) == best) choose(type);
      },
      [&](const AM_MEDIA_TYPE& type, FrameSize offered) {
        if (!done && decodes && offered == size) choose(type);
      });
  return result;
}

}  // namespace engine
