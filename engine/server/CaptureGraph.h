// One capture device's DirectShow graph: the device filter's capture pin
// (its format chosen through IAMStreamConfig before connecting) through
// the sample grabber to a null renderer, without a reference clock so that
// every sample is handed on as soon as it arrives. The grabber's callback
// (on the device's streaming thread) converts each sample into a 24-bit
// frame and posts a message to the engine's window; the engine's thread
// takes the newest frame from there. Graph events (EC_DEVICE_LOST) are
// posted to the same window.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CameraConfig.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"
#include "media/Frame.h"
#include "media/PixelConversion.h"

namespace engine {

class FrameGrabber;

// Binds the device's filter from its moniker display name.
HRESULT BindDeviceFilter(const std::wstring& monikerName, common::ComPtr<IBaseFilter>* filter);
// The sizes the device's capture pin offers in a format the engine reads.
std::vector<FrameSize> DeviceSizes(IBaseFilter* filter);

// What the engine learns from a graph's events.
enum class DeviceEvent { kNone, kLost, kBack };

class CaptureGraph {
 public:
  CaptureGraph();
  ~CaptureGraph();
  CaptureGraph(const CaptureGraph&) = delete;
  CaptureGraph& operator=(const CaptureGraph&) = delete;

  // Builds and runs the graph at `size`; frames are announced by posting
  // `frameMessage` (wParam cookie) and events by `eventMessage`.
  HRESULT Start(IBaseFilter* device, FrameSize size, HWND window, UINT frameMessage, UINT eventMessage,
                WPARAM cookie);
  void Stop() noexcept;
  bool Running() const noexcept { return static_cast<bool>(control_); }

  // Waits (without pumping messages) for the first frame after Start.
  bool WaitForFirstFrame(DWORD timeoutMs) const noexcept;
  // Swaps the newest frame into out; false when none came since the last.
  bool TakeFrame(media::Frame& out);
  // Ticks of the last delivered sample (0 before the first).
  DWORD LastDelivery() const noexcept;
  // Reads the pending graph events; the last device event decides.
  DeviceEvent ReadEvents();

 private:
  HRESULT ChooseFormat(IBaseFilter* device, FrameSize size);

  common::ComPtr<IGraphBuilder> graph_;
  common::ComPtr<ICaptureGraphBuilder2> builder_;
  common::ComPtr<IMediaControl> control_;
  common::ComPtr<IMediaEventEx> events_;
  common::ComPtr<IBaseFilter> device_;
  common::ComPtr<IBaseFilter> grabberFilter_;
  std::unique_ptr<FrameGrabber> grabber_;
  media::PixelFormat pixelFormat_ = media::PixelFormat::kRgb24;
  bool topDown_ = false;
  bool graphDecodes_ = false;
  FrameSize size_;
};

}  // namespace engine
