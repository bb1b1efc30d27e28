// One capture device's DirectShow graph: the device filter's capture pin
// (its format chosen through IAMStreamConfig before connecting) through
// the sample grabber to a null renderer, without a reference clock so that
// every sample is handed on as soon as it arrives. The grabber's callback
// (on the device's streaming thread) converts each sample into a 24-bit
// frame and posts a message to the engine's window; the engine's thread
// takes the newest frame from there. Graph events (EC_DEVICE_LOST) are
// posted to the same window. A device with a still pin gets a second
// branch from that pin into a grabber of its own, which delivers a
// picture when the engine triggers the pin (IAMVideoControl).
#pragma once

#include <windows.h>

#include <dshow.h>

#include <optional>
#include <string>

#include "CameraConfig.h"
#include "GrabberBranch.h"
#include "common/ComPtr.h"
#include "media/Frame.h"

namespace engine {

// Binds the device's filter from its moniker display name.
HRESULT BindDeviceFilter(const std::wstring& monikerName, common::ComPtr<IBaseFilter>* filter);

// What the engine learns from a graph's events.
enum class DeviceEvent { kNone, kLost, kBack };

class CaptureGraph {
 public:
  CaptureGraph();
  ~CaptureGraph();
  CaptureGraph(const CaptureGraph&) = delete;
  CaptureGraph& operator=(const CaptureGraph&) = delete;

  // Builds and runs the graph at `size` (and the still pin at `still`
  // when given); frames are announced by posting `frameMessage` (wParam
  // cookie) and events by `eventMessage`. A still pin that does not
  // connect leaves the graph without its branch (logged).
  HRESULT Start(IBaseFilter* device, FrameSize size, std::optional<FrameSize> still, HWND window,
                UINT frameMessage, UINT eventMessage, WPARAM cookie);
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

  // Triggers the still pin and waits up to timeoutMs for its picture
  // (VFW_E_NOT_CONNECTED without a still branch, VFW_E_TIMEOUT when none
  // comes).
  HRESULT TakeStill(DWORD timeoutMs, media::Frame& out);

 private:
  void StartStill(FrameSize size);

  common::ComPtr<IGraphBuilder> graph_;
  common::ComPtr<ICaptureGraphBuilder2> builder_;
  common::ComPtr<IMediaControl> control_;
  common::ComPtr<IMediaEventEx> events_;
  common::ComPtr<IBaseFilter> device_;
  GrabberBranch capture_;
  GrabberBranch still_;
};

}  // namespace engine
