// One synthetic camera: identity and state, capture and still sizes,
// camera properties, the engine mode, the moving scene it renders, and the
// few pictures it holds in its own memory (indexed pictures). Cameras are
// process-wide: every client sees the same ones.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CameraConfig.h"
#include "CaptureGraph.h"
#include "EngineRecords.h"
#include "media/Frame.h"
#include "media/SceneRenderer.h"

namespace engine {

class Camera {
 public:
  static constexpr std::int32_t kStateReady = kCameraReady;
  static constexpr std::int32_t kStateGone = kCameraGone;
  static constexpr std::size_t kMaxHeldPictures = 8;
  static constexpr std::size_t kInitialHeldPictures = 3;

  Camera(const CameraDefinition& definition, std::uint32_t index);
  // A capture device's camera: its frames come from the device's graph.
  Camera(const CameraDefinition& definition, std::uint32_t index, std::wstring monikerName);

  const CameraDefinition& Definition() const noexcept { return definition_; }
  std::uint32_t Index() const noexcept { return index_; }
  // The camera's place in the list moved (a device joined before it).
  void SetIndex(std::uint32_t index) noexcept { index_ = index; }
  CameraRecord Record() const;
  // Same identifiers, type and serial as the record.
  bool Matches(const CameraRecord& record) const noexcept;

  std::int32_t State() const noexcept { return state_; }
  void SetState(std::int32_t state) noexcept { state_ = state; }
  bool Gone() const noexcept { return state_ == kStateGone; }

  FrameSize CaptureSize() const noexcept { return capture_; }
  bool SupportsSize(FrameSize size) const noexcept;
  // A device's graph is built again at the new size; false when the
  // size is not offered or the device does not start with it.
  bool SetCaptureSize(FrameSize size);
  std::optional<FrameSize> StillSize() const noexcept { return still_; }
  bool SupportsStillSize(FrameSize size) const noexcept;
  bool SetStillSize(FrameSize size) noexcept;

  bool HasProperty(long id) const noexcept { return properties_.count(id) != 0; }
  long Property(long id) const noexcept;
  void SetProperty(long id, long value) { properties_[id] = value; }

  bool Mode() const noexcept { return mode_; }
  void SetMode(bool on) noexcept { mode_ = on; }

  // Advances the scene by one frame at the capture size.
  HRESULT NextFrame();
  const media::Frame& Latest() const noexcept { return latest_; }
  std::uint32_t FrameNumber() const noexcept { return frameNumber_; }
  // The current scene at any size (pictures at the capture or still size);
  // a device's picture, see DevicePicture.
  HRESULT RenderNow(FrameSize size, media::Frame& out);

  // Capture devices ---------------------------------------------------------
  bool IsDevice() const noexcept { return !moniker_.empty(); }
  const std::wstring& MonikerName() const noexcept { return moniker_; }
  // Builds and runs the device's graph unless it runs, and waits up to
  // kFirstFrameMs for its first frame (VFW_E_TIMEOUT when none comes).
  // Frames and events are posted to window.
  HRESULT StartCapture(HWND window, UINT frameMessage, UINT eventMessage);
  void StopCapture() noexcept;
  bool Capturing() const noexcept { return graph_.Running(); }
  // Makes the newest delivered frame the latest; false when none came.
  bool TakeDeviceFrame();
  DWORD LastDelivery() const noexcept { return graph_.LastDelivery(); }
  DWORD CaptureStarted() const noexcept { return captureStarted_; }
  DeviceEvent ReadDeviceEvents() { return graph_.ReadEvents(); }
  // The device's filter while capturing (properties, property pages).
  IBaseFilter* DeviceFilter() const noexcept { return filter_.get(); }
  // A picture at this size makes the device's graph switch to it and
  // back (no still pin gives it, and it is not the capture size).
  bool NeedsFormatSwitch(FrameSize size) const noexcept;
  static constexpr DWORD kFirstFrameMs = 2000;

  // The camera's memory; a camera starts with kInitialHeldPictures.
  std::vector<media::Frame>& HeldPictures();
  // Keeps the current scene as a held picture; the oldest one goes when
  // the memory is full.
  HRESULT HoldPicture();

 private:
  HRESULT ScaleLatest(FrameSize size, media::Frame& out) const;
  HRESULT DevicePicture(FrameSize size, media::Frame& out);
  HRESULT CaptureAtSize(FrameSize size, media::Frame& out);
  std::optional<FrameSize> StillPinSize() const;

  CameraDefinition definition_;
  std::uint32_t index_;
  std::int32_t state_;
  FrameSize capture_;
  std::optional<FrameSize> still_;
  std::map<long, long> properties_;
  bool mode_ = false;
  media::SceneRenderer renderer_;
  media::Frame latest_;
  std::uint32_t frameNumber_ = 0;
  std::vector<media::Frame> held_;
  bool heldReady_ = false;
  std::wstring moniker_;
  common::ComPtr<IBaseFilter> filter_;
  CaptureGraph graph_;
  HWND window_ = nullptr;
  UINT frameMessage_ = 0, eventMessage_ = 0;
  DWORD captureStarted_ = 0;
};

}  // namespace engine
