// Building, running and stopping a capture graph.
#include "CaptureGraph.h"

#include <qedit.h>

#include <algorithm>

#include "FrameGrabber.h"
#include "Log.h"

namespace engine {
namespace {

constexpr int kMaxWidth = 1600, kMaxHeight = 1200, kMinSide = 16;

// The system's sample grabber and null renderer (the SDK headers declare
// their interfaces but not these class identifiers).
constexpr CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

void FreeType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  if (type->pbFormat) ::CoTaskMemFree(type->pbFormat);
  if (type->pUnk) type->pUnk->Release();
  ::CoTaskMemFree(type);
}

// The engine's reading of a video type: the pixel format, the size and the
// row order; false for a format the engine cannot read.
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
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  // RGB with a negative height is top-down; YUV formats always are.
  *topDown = (*format == media::PixelFormat::kRgb24 || *format == media::PixelFormat::kRgb32) ? h.biHeight < 0 : true;
  *size = {h.biWidth, height};
  return size->width >= kMinSide && size->height >= kMinSide && size->width <= kMaxWidth && height <= kMaxHeight;
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
  return size->width >= kMinSide && size->height >= kMinSide && size->width <= kMaxWidth &&
         size->height <= kMaxHeight;
}

bool IsCapturePin(IPin* pin) {
  PIN_DIRECTION direction;
  if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) return false;
  common::ComPtr<IKsPropertySet> properties;
  if (FAILED(pin->QueryInterface(IID_IKsPropertySet, properties.put_void()))) return true;
  GUID category = GUID_NULL;
  DWORD returned = 0;
  if (FAILED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof(category),
                             &returned))) {
    return true;
  }
  return category == PIN_CATEGORY_CAPTURE;
}

common::ComPtr<IAMStreamConfig> CaptureConfig(IBaseFilter* filter) {
  common::ComPtr<IAMStreamConfig> config;
  common::ComPtr<IEnumPins> pins;
  if (!filter || FAILED(filter->EnumPins(pins.put()))) return config;
  common::ComPtr<IPin> pin;
  while (pins->Next(1, pin.put(), nullptr) == S_OK) {
    if (IsCapturePin(pin.get()) && SUCCEEDED(pin->QueryInterface(IID_IAMStreamConfig, config.put_void()))) {
      return config;
    }
  }
  return config;
}

// Calls visit(type, format, size) for every readable capability, and
// decoded(type, size) for every one the graph decodes.
template <typename Visit, typename Decoded>
void ForEachCapability(IAMStreamConfig* config, Visit visit, Decoded decoded) {
  int count = 0, bytes = 0;
  if (FAILED(config->GetNumberOfCapabilities(&count, &bytes)) || bytes < static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS))) {
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

HRESULT BindDeviceFilter(const std::wstring& monikerName, common::ComPtr<IBaseFilter>* filter) {
  common::ComPtr<IBindCtx> context;
  HRESULT hr = ::CreateBindCtx(0, context.put());
  if (FAILED(hr)) return hr;
  common::ComPtr<IMoniker> moniker;
  ULONG eaten = 0;
  hr = ::MkParseDisplayName(context.get(), monikerName.c_str(), &eaten, moniker.put());
  if (FAILED(hr)) return hr;
  return moniker->BindToObject(context.get(), nullptr, IID_IBaseFilter, filter->put_void());
}

std::vector<FrameSize> DeviceSizes(IBaseFilter* filter) {
  std::vector<FrameSize> sizes;
  common::ComPtr<IAMStreamConfig> config = CaptureConfig(filter);
  if (!config) return sizes;
  auto add = [&](FrameSize size) {
    if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
  };
  ForEachCapability(
      config.get(), [&](const AM_MEDIA_TYPE&, media::PixelFormat, FrameSize size) { add(size); },
      [&](const AM_MEDIA_TYPE&, FrameSize size) { add(size); });
  std::sort(sizes.begin(), sizes.end(), [](FrameSize a, FrameSize b) {
    return a.width * a.height != b.width * b.height ? a.width * a.height < b.width * b.height : a.width < b.width;
  });
  return sizes;
}

CaptureGraph::CaptureGraph() = default;

CaptureGraph::~CaptureGraph() { Stop(); }

HRESULT CaptureGraph::ChooseFormat(IBaseFilter* device, FrameSize size) {
  common::ComPtr<IAMStreamConfig> config = CaptureConfig(device);
  if (!config) return VFW_E_NO_CAPTURE_HARDWARE;
  int best = -1;
  bool decodable = false;
  ForEachCapability(
      config.get(),
      [&](const AM_MEDIA_TYPE&, media::PixelFormat format, FrameSize offered) {
        if (offered == size && (best < 0 || Rank(format) < best)) best = Rank(format);
      },
      [&](const AM_MEDIA_TYPE&, FrameSize offered) { decodable = decodable || offered == size; });
  if (best < 0 && !decodable) return VFW_E_TYPE_NOT_ACCEPTED;
  // Formats the engine reads first; a compressed one only where the device
  // has no other at that size, decoded by the graph into RGB24.
  graphDecodes_ = best < 0;
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
      config.get(),
      [&](const AM_MEDIA_TYPE& type, media::PixelFormat format, FrameSize offered) {
        if (!done && !graphDecodes_ && offered == size && Rank(format) == best) choose(type);
      },
      [&](const AM_MEDIA_TYPE& type, FrameSize offered) {
        if (!done && graphDecodes_ && offered == size) choose(type);
      });
  return result;
}

HRESULT CaptureGraph::Start(IBaseFilter* device, FrameSize size, HWND window, UINT frameMessage,
                            UINT eventMessage, WPARAM cookie) {
  Stop();
  HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  graph_.put_void());
  if (SUCCEEDED(hr)) {
    hr = ::CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                            builder_.put_void());
  }
  if (SUCCEEDED(hr)) hr = builder_->SetFiltergraph(graph_.get());
  if (SUCCEEDED(hr)) hr = graph_->AddFilter(device, L"Capture device");
  if (SUCCEEDED(hr)) {
    device_ = common::ComPtr<IBaseFilter>(device);
    hr = ChooseFormat(device, size);
  }
  common::ComPtr<ISampleGrabber> grabber;
  if (SUCCEEDED(hr)) {
    hr = ::CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                            grabberFilter_.put_void());
  }
  if (SUCCEEDED(hr)) hr = grabberFilter_.As(&grabber);
  grabber_ = std::make_unique<FrameGrabber>(window, frameMessage, cookie);
  if (SUCCEEDED(hr)) {
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    // A compressed format reaches the grabber through a decoder the graph
    // adds; any other comes as the device sends it.
    if (graphDecodes_) wanted.subtype = MEDIASUBTYPE_RGB24;
    grabber->SetMediaType(&wanted);
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    hr = grabber->SetCallback(grabber_.get(), 1);
  }
  if (SUCCEEDED(hr)) hr = graph_->AddFilter(grabberFilter_.get(), L"Frame grabber");
  common::ComPtr<IBaseFilter> renderer;
  if (SUCCEEDED(hr)) {
    hr = ::CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer.put_void());
  }
  if (SUCCEEDED(hr)) hr = graph_->AddFilter(renderer.get(), L"End");
  if (SUCCEEDED(hr)) {
    hr = builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, device, grabberFilter_.get(),
                                renderer.get());
  }
  AM_MEDIA_TYPE connected{};
  if (SUCCEEDED(hr)) hr = grabber->GetConnectedMediaType(&connected);
  if (SUCCEEDED(hr)) {
    FrameSize got;
    if (!ReadType(connected, &pixelFormat_, &got, &topDown_)) hr = VFW_E_TYPE_NOT_ACCEPTED;
    if (connected.pbFormat) ::CoTaskMemFree(connected.pbFormat);
    if (connected.pUnk) connected.pUnk->Release();
    size_ = got;
    if (SUCCEEDED(hr)) grabber_->Configure(pixelFormat_, topDown_, got.width, got.height);
  }
  // No reference clock: the renderer passes every sample at once.
  common::ComPtr<IMediaFilter> timing;
  if (SUCCEEDED(hr) && SUCCEEDED(graph_.As(&timing))) timing->SetSyncSource(nullptr);
  if (SUCCEEDED(hr)) hr = graph_->QueryInterface(IID_IMediaEventEx, events_.put_void());
  if (SUCCEEDED(hr)) hr = events_->SetNotifyWindow(reinterpret_cast<OAHWND>(window), eventMessage, cookie);
  common::ComPtr<IMediaControl> control;
  if (SUCCEEDED(hr)) hr = graph_.As(&control);
  // A live graph answers S_FALSE while it makes its way to running.
  if (SUCCEEDED(hr)) hr = control->Run();
  if (FAILED(hr)) {
    LogLine("capture graph failed: 0x%08lX", static_cast<unsigned long>(hr));
    if (control) control->Stop();
    Stop();
    return hr;
  }
  control_ = control;
  return S_OK;
}

void CaptureGraph::Stop() noexcept {
  if (control_) control_->Stop();
  control_.reset();
  if (events_) events_->SetNotifyWindow(0, 0, 0);
  events_.reset();
  common::ComPtr<ISampleGrabber> grabber;
  if (grabberFilter_ && SUCCEEDED(grabberFilter_.As(&grabber))) grabber->SetCallback(nullptr, 1);
  // Out of the graph, the device's pin is unconnected again, so that the
  // next graph can choose its format.
  if (graph_ && device_) graph_->RemoveFilter(device_.get());
  device_.reset();
  grabberFilter_.reset();
  builder_.reset();
  graph_.reset();
  grabber_.reset();
}

bool CaptureGraph::WaitForFirstFrame(DWORD timeoutMs) const noexcept {
  return grabber_ && grabber_->WaitForFirst(timeoutMs);
}

bool CaptureGraph::TakeFrame(media::Frame& out) { return grabber_ && grabber_->Take(out); }

DWORD CaptureGraph::LastDelivery() const noexcept { return grabber_ ? grabber_->LastDelivery() : 0; }

DeviceEvent CaptureGraph::ReadEvents() {
  DeviceEvent result = DeviceEvent::kNone;
  if (!events_) return result;
  long code = 0;
  LONG_PTR first = 0, second = 0;
  while (events_->GetEvent(&code, &first, &second, 0) == S_OK) {
    if (code == EC_DEVICE_LOST) result = second ? DeviceEvent::kBack : DeviceEvent::kLost;
    events_->FreeEventParams(code, first, second);
  }
  return result;
}

}  // namespace engine
