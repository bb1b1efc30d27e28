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

bool Camera::SetCaptureSize(FrameSize size) noexcept {
  if (!SupportsSize(size)) return false;
  capture_ = size;
  return true;
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
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return renderer_.Render(size.width, size.height, frameNumber_, now, out);
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
