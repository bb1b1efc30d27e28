// Connecting and disconnecting cameras, and the automatic connection
// search.
#include "core/session/CameraSession.h"

#include "PortalContract.h"
#include "common/WaitCursor.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

using namespace engine;

namespace {

// A camera matches the remembered one by its identifiers and type, or by
// type alone when the remembered camera stands for any camera of its type.
bool MatchesRemembered(const CameraRecord& candidate, const CameraRecord& remembered) {
  if (candidate.type != remembered.type) return false;
  const bool sameIds = candidate.vendorId == remembered.vendorId && candidate.productId == remembered.productId;
  return sameIds || remembered.productId == kAnyProductOfType;
}

}  // namespace

bool CameraSession::Connect(LONG index) {
  state_.lastCameraIndex = index;
  if (!engine_) return false;
  if (IsCameraConnected()) Disconnect();
  state_.connectionWanted = true;
  CameraRecord record;
  if (!ReadCamera(index, &record)) return false;
  common::WaitCursor cursor;
  if (!engine_->ExecuteRecord(kCmdConnect, kNoSubCode, record)) return false;
  ProbeFormatSupport();
  view_.HideRetryButton();
  LoadSettings(std::wstring_view());
  ApplyPreview(preview_.enabled);
  view_.LayOut();
  view_.Repaint();
  return true;
}

bool CameraSession::ConnectAutomatically() {
  view_.ShowInfoScreen(InfoScreenKind::kNoCamera, std::wstring());
  if (!engine_) return false;
  state_.connectionWanted = true;
  if (IsCameraConnected()) {
    view_.Repaint();
    view_.LayOut();
    return false;
  }
  LONG count = 0;
  if (!CameraCount(&count)) {
    view_.PostToSelf(kMsgInterfaceRefresh, 0, 0);
    return false;
  }
  SearchAndConnect(count);
  if (!IsCameraConnected()) {
    view_.ShowInfoScreen(InfoScreenKind::kNoCamera, std::wstring());
    view_.PostToSelf(kMsgInterfaceRefresh, 0, 0);
  }
  view_.LayOut();
  return true;
}

// A camera the engine already has in use, then the camera remembered in the
// registry, then every camera in index order.
void CameraSession::SearchAndConnect(LONG count) {
  // The count is asked again: the first answer only said that it can be read.
  CameraCount(&count);
  LONG inUse = tovra2::kNoCameraIndex;
  for (LONG i = 0; i < count && inUse == tovra2::kNoCameraIndex; ++i) {
    LONG used = 0;
    if (CameraInUse(i, &used) && used != 0) inUse = i;
  }
  CameraRecord remembered;
  LONG failedMatch = tovra2::kNoCameraIndex;
  bool connected = false;
  if (ReadRememberedCamera(&remembered, nullptr) && inUse == tovra2::kNoCameraIndex) {
    for (LONG i = 0; i < count && !connected; ++i) {
      CameraRecord candidate;
      if (!ReadCamera(i, &candidate) || !MatchesRemembered(candidate, remembered)) continue;
      connected = Connect(i);
      if (!connected) failedMatch = i;
    }
  }
  if (inUse != tovra2::kNoCameraIndex && !connected) connected = Connect(inUse);
  for (LONG i = 0; i < count && !connected && !IsCameraConnected(); ++i) {
    CameraRecord candidate;
    if (i == failedMatch || !ReadCamera(i, &candidate)) continue;
    connected = Connect(i);
  }
}

bool CameraSession::Disconnect() {
  state_.connectionWanted = false;
  view_.SetPreviewLive(false);
  return engine_ && engine_->ExecuteBare(kCmdDisconnect, kNoSubCode);
}

}  // namespace portal
