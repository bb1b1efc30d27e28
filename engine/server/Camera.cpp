// The synthetic camera.
#include "Camera.h"

#include <algorithm>

#include "EngineCommands.h"
#include "common/Strings.h"

namespace engine {

Camera::Camera(const CameraDefinition& definition, std::uint32_t index)
    : definition_(definition),
      index_(index),
      state_(definition.state),
      capture_(definition.initialSize),
      renderer_(definition.serial * 7919u + index) {
  properties_ = {{kPropShowHide, definition.showHide},
                 {kPropIndicatorLevel, definition.indicatorLevel},
                 {kPropIndicatorReserved, definition.indicatorReserved},
                 {kPropIndicatorSwitch, definition.indicatorSwitch},
                 {kPropIndicatorValue, definition.indicatorValue}};
  mode_ = definition.mode;
}

Camera::Camera(const CameraDefinition& definition, std::uint32_t index, std::wstring monikerName)
    : Camera(definition, index) {
  moniker_ = std::move(monikerName);
  // The indicator values of a synthetic camera are no device readings.
  properties_.clear();
  properties_[kPropShowHide] = 0;
}

HRESULT Camera::StartCapture(HWND window, UINT frameMessage, UINT eventMessage) {
  if (!IsDevice()) return S_OK;
  if (graph_.Running()) return S_OK;
  window_ = window;
  frameMessage_ = frameMessage;
  eventMessage_ = eventMessage;
  HRESULT hr = filter_ ? S_OK : BindDeviceFilter(moniker_, &filter_);
  if (SUCCEEDED(hr)) {
    hr = graph_.Start(filter_.get(), capture_, StillPinSize(), window, frameMessage, eventMessage, index_);
  }
  if (SUCCEEDED(hr) && !graph_.WaitForFirstFrame(kFirstFrameMs)) hr = VFW_E_TIMEOUT;
  if (FAILED(hr)) {
    StopCapture();
    return hr;
  }
  captureStarted_ = ::GetTickCount();
  return S_OK;
}

void Camera::StopCapture() noexcept {
  graph_.Stop();
  filter_.reset();
}

bool Camera::TakeDeviceFrame() {
  if (!graph_.TakeFrame(latest_)) return false;
  ++frameNumber_;
  return true;
}

CameraRecord Camera::Record() const {
  CameraRecord record{};
  record.size = sizeof(record);
  record.vendorId = definition_.vendorId;
  record.productId = definition_.productId;
  common::CopyToAnsiField(definition_.name, record.name, sizeof(record.name));
  record.type = definition_.type;
  record.state = state_;
  record.serial = definition_.serial;
  record.index = index_;
  record.options = definition_.options;
  common::CopyToAnsiField(definition_.device, record.device, sizeof(record.device));
  return record;
}

bool Camera::Matches(const CameraRecord& record) const noexcept {
  return record.vendorId == definition_.vendorId && record.productId == definition_.productId &&
         record.type == definition_.type && record.serial == definition_.serial;
}

bool Camera::SupportsSize(FrameSize size) const noexcept {
  return std::find(definition_.sizes.begin(), definition_.sizes.end(), size) != definition_.sizes.end();
}

bool Camera::SetCaptureSize(FrameSize size) {
  if (!SupportsSize(size)) return false;
  if (capture_ == size) return true;
  const FrameSize previous = capture_;
  capture_ = size;
  if (!IsDevice() || !graph_.Running()) return true;
  // A device changes its format only while its pin is unconnected: the
  // graph is built again at the new size (or at the old one on failure).
  graph_.Stop();
  if (SUCCEEDED(StartCapture(window_, frameMessage_, eventMessage_))) return true;
  capture_ = previous;
  StartCapture(window_, frameMessage_, eventMessage_);
  return false;
}

bool Camera::SupportsStillSize(FrameSize size) const noexcept {
  return std::find(definition_.stillSizes.begin(), definition_.stillSizes.end(), size) !=
         definition_.stillSizes.end();
}

bool Camera::SetStillSize(FrameSize size) noexcept {
  if (!SupportsStillSize(size)) return false;
  still_ = size;
  return true;
}

long Camera::Property(long id) const noexcept {
  const auto found = properties_.find(id);
  return found == properties_.end() ? 0 : found->second;
}

HRESULT Camera::NextFrame() {
  ++frameNumber_;
  // The live frame is the camera's own and only changes here, so the
  // renderer may draw the next one over the last.
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return renderer_.RenderNext(capture_.width, capture_.height, frameNumber_, now, latest_);
}

HRESULT Camera::RenderNow(FrameSize size, media::Frame& out) {
  if (IsDevice()) return DevicePicture(size, out);
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return renderer_.Render(size.width, size.height, frameNumber_, now, out);
}

std::optional<FrameSize> Camera::StillPinSize() const {
  if (!definition_.stillPin || definition_.stillSizes.empty()) return std::nullopt;
  return definition_.stillSizes.front();
}

bool Camera::NeedsFormatSwitch(FrameSize size) const noexcept {
  return IsDevice() && size != capture_ && StillPinSize() != size && SupportsSize(size);
}

// A device's picture: the latest frame at the capture size; the still
// pin's picture at its size; a frame captured at any other size the
// device offers. Every wait is bounded by kFirstFrameMs.
HRESULT Camera::DevicePicture(FrameSize size, media::Frame& out) {
  // Right after a size change the latest frame may still be of the old
  // size while the new graph's first frame waits in its grabber.
  if (size == capture_ && (latest_.Width() != size.width || latest_.Height() != size.height)) TakeDeviceFrame();
  if (size == capture_ || !graph_.Running()) return ScaleLatest(size, out);
  if (StillPinSize() == size) return graph_.TakeStill(kFirstFrameMs, out);
  if (SupportsSize(size)) return CaptureAtSize(size, out);
  return ScaleLatest(size, out);
}

// The pin changes its format only while unconnected: the graph is built
// at the picture's size for one frame, then again at the capture size.
// When the graph does not come back, the camera no longer captures
// (the caller reports it lost).
HRESULT Camera::CaptureAtSize(FrameSize size, media::Frame& out) {
  HRESULT hr = graph_.Start(filter_.get(), size, StillPinSize(), window_, frameMessage_, eventMessage_, index_);
  if (SUCCEEDED(hr) && !(graph_.WaitForFirstFrame(kFirstFrameMs) && graph_.TakeFrame(out))) hr = VFW_E_TIMEOUT;
  graph_.Stop();
  const HRESULT back = StartCapture(window_, frameMessage_, eventMessage_);
  return FAILED(back) ? back : hr;
}

// The latest frame, at another size by the nearest pixel.
HRESULT Camera::ScaleLatest(FrameSize size, media::Frame& out) const {
  if (latest_.Empty()) return E_FAIL;
  if (size.width == latest_.Width() && size.height == latest_.Height()) {
    out = latest_;
    return S_OK;
  }
  const HRESULT hr = out.Allocate(size.width, size.height);
  if (FAILED(hr)) return hr;
  for (int y = 0; y < size.height; ++y) {
    const std::uint8_t* in = latest_.Row(static_cast<int>(static_cast<long long>(y) * latest_.Height() / size.height));
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x < size.width; ++x) {
      const std::uint8_t* pixel = in + 3 * (static_cast<long long>(x) * latest_.Width() / size.width);
      row[3 * x] = pixel[0];
      row[3 * x + 1] = pixel[1];
      row[3 * x + 2] = pixel[2];
    }
  }
  return S_OK;
}

std::vector<media::Frame>& Camera::HeldPictures() {
  if (!heldReady_) {
    heldReady_ = true;
    for (std::size_t i = 0; i < kInitialHeldPictures; ++i) HoldPicture();
  }
  return held_;
}

HRESULT Camera::HoldPicture() {
  media::Frame picture;
  const HRESULT hr = RenderNow(capture_, picture);
  if (FAILED(hr)) return hr;
  if (held_.size() >= kMaxHeldPictures) held_.erase(held_.begin());
  held_.push_back(std::move(picture));
  ++frameNumber_;  // the next held picture shows a different scene
  return S_OK;
}

}  // namespace engine
