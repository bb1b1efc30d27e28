// Rendering a device pin into a sample grabber.
#include "GrabberBranch.h"

#include <qedit.h>

#include "FrameGrabber.h"
#include "StreamFormats.h"

namespace engine {
namespace {

// The system's sample grabber and null renderer (the SDK headers declare
// their interfaces but not these class identifiers).
constexpr CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

}  // namespace

GrabberBranch::GrabberBranch() = default;

GrabberBranch::~GrabberBranch() = default;

HRESULT GrabberBranch::Build(IGraphBuilder* graph, ICaptureGraphBuilder2* builder, IBaseFilter* device,
                             const GUID& category, bool graphDecodes, BranchNames names, HWND window,
                             UINT message, WPARAM cookie) {
  grabber_ = std::make_unique<FrameGrabber>(window, message, cookie);
  const HRESULT hr = Connect(graph, builder, device, category, graphDecodes, names);
  if (FAILED(hr)) Remove(graph);
  return hr;
}

HRESULT GrabberBranch::Connect(IGraphBuilder* graph, ICaptureGraphBuilder2* builder, IBaseFilter* device,
                               const GUID& category, bool graphDecodes, BranchNames names) {
  HRESULT hr = ::CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  grabberFilter_.put_void());
  common::ComPtr<ISampleGrabber> grabber;
  if (SUCCEEDED(hr)) hr = grabberFilter_.As(&grabber);
  if (SUCCEEDED(hr)) {
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    // A compressed format reaches the grabber through a decoder the graph
    // adds; any other comes as the device sends it.
    if (graphDecodes) wanted.subtype = MEDIASUBTYPE_RGB24;
    grabber->SetMediaType(&wanted);
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    hr = grabber->SetCallback(grabber_.get(), 1);
  }
  if (SUCCEEDED(hr)) hr = graph->AddFilter(grabberFilter_.get(), names.grabber);
  if (SUCCEEDED(hr)) {
    hr = ::CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer_.put_void());
  }
  if (SUCCEEDED(hr)) hr = graph->AddFilter(renderer_.get(), names.renderer);
  if (SUCCEEDED(hr)) hr = builder->RenderStream(&category, &MEDIATYPE_Video, device, grabberFilter_.get(), renderer_.get());
  AM_MEDIA_TYPE connected{};
  if (SUCCEEDED(hr)) hr = grabber->GetConnectedMediaType(&connected);
  if (FAILED(hr)) return hr;
  media::PixelFormat format;
  bool topDown = false;
  const bool readable = ReadType(connected, &format, &size_, &topDown);
  FreeTypeContents(connected);
  if (!readable) return VFW_E_TYPE_NOT_ACCEPTED;
  grabber_->Configure(format, topDown, size_.width, size_.height);
  return S_OK;
}

void GrabberBranch::Remove(IGraphBuilder* graph) noexcept {
  common::ComPtr<ISampleGrabber> grabber;
  if (grabberFilter_ && SUCCEEDED(grabberFilter_.As(&grabber))) grabber->SetCallback(nullptr, 1);
  if (graph && grabberFilter_) graph->RemoveFilter(grabberFilter_.get());
  if (graph && renderer_) graph->RemoveFilter(renderer_.get());
  grabberFilter_.reset();
  renderer_.reset();
  grabber_.reset();
  size_ = FrameSize{};
}

}  // namespace engine
