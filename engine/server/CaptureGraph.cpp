// Building, running and stopping a capture graph, and its still pictures.
#include "CaptureGraph.h"

#include "FrameGrabber.h"
#include "Log.h"
#include "StreamFormats.h"

namespace engine {

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

CaptureGraph::CaptureGraph() = default;

CaptureGraph::~CaptureGraph() { Stop(); }

HRESULT CaptureGraph::Start(IBaseFilter* device, FrameSize size, std::optional<FrameSize> still, HWND window,
                            UINT frameMessage, UINT eventMessage, WPARAM cookie) {
  Stop();
  HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  graph_.put_void());
  if (SUCCEEDED(hr)) {
    hr = ::CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                            builder_.put_void());
  }
  if (SUCCEEDED(hr)) hr = builder_->SetFiltergraph(graph_.get());
  if (SUCCEEDED(hr)) hr = graph_->AddFilter(device, L"Capture device");
  bool decodes = false;
  if (SUCCEEDED(hr)) {
    device_ = common::ComPtr<IBaseFilter>(device);
    hr = ChooseFormat(PinStreamConfig(device, PIN_CATEGORY_CAPTURE).get(), size, &decodes);
  }
  if (SUCCEEDED(hr)) {
    hr = capture_.Build(graph_.get(), builder_.get(), device, PIN_CATEGORY_CAPTURE, decodes,
                        {L"Frame grabber", L"End"}, window, frameMessage, cookie);
  }
  if (SUCCEEDED(hr) && still) StartStill(*still);
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

// The still pin's own format, chosen like the capture pin's; a still pin
// that does not connect costs the pictures, not the video.
void CaptureGraph::StartStill(FrameSize size) {
  bool decodes = false;
  HRESULT hr = ChooseFormat(PinStreamConfig(device_.get(), PIN_CATEGORY_STILL).get(), size, &decodes);
  if (SUCCEEDED(hr)) {
    hr = still_.Build(graph_.get(), builder_.get(), device_.get(), PIN_CATEGORY_STILL, decodes,
                      {L"Still grabber", L"Still end"}, nullptr, 0, 0);
  }
  if (FAILED(hr)) LogLine("still pin not connected: 0x%08lX", static_cast<unsigned long>(hr));
}

void CaptureGraph::Stop() noexcept {
  if (control_) control_->Stop();
  control_.reset();
  if (events_) events_->SetNotifyWindow(0, 0, 0);
  events_.reset();
  capture_.Remove(graph_.get());
  still_.Remove(graph_.get());
  // Out of the graph, the device's pins are unconnected again, so that the
  // next graph can choose their formats.
  if (graph_ && device_) graph_->RemoveFilter(device_.get());
  device_.reset();
  builder_.reset();
  graph_.reset();
}

bool CaptureGraph::WaitForFirstFrame(DWORD timeoutMs) const noexcept {
  return capture_.Grabber() && capture_.Grabber()->WaitForFirst(timeoutMs);
}

bool CaptureGraph::TakeFrame(media::Frame& out) { return capture_.Grabber() && capture_.Grabber()->Take(out); }

DWORD CaptureGraph::LastDelivery() const noexcept {
  return capture_.Grabber() ? capture_.Grabber()->LastDelivery() : 0;
}

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

HRESULT CaptureGraph::TakeStill(DWORD timeoutMs, media::Frame& out) {
  FrameGrabber* grabber = still_.Grabber();
  if (!control_ || !grabber) return VFW_E_NOT_CONNECTED;
  common::ComPtr<IAMVideoControl> control;
  HRESULT hr = device_.As(&control);
  const common::ComPtr<IPin> pin = DevicePin(device_.get(), PIN_CATEGORY_STILL);
  if (SUCCEEDED(hr) && !pin) hr = VFW_E_NOT_FOUND;
  if (FAILED(hr)) return hr;
  // A picture left over from an earlier trigger is not this one.
  grabber->Rearm();
  LONG mode = 0;
  if (FAILED(control->GetMode(pin.get(), &mode))) mode = 0;
  hr = control->SetMode(pin.get(), mode | VideoControlFlag_Trigger);
  if (FAILED(hr)) return hr;
  if (!grabber->WaitForFirst(timeoutMs) || !grabber->Take(out)) return VFW_E_TIMEOUT;
  return S_OK;
}

}  // namespace engine
