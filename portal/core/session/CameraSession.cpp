// The camera session: the engine, describing cameras, camera settings and
// properties.
#include "core/session/CameraSession.h"

#include "PortalContract.h"
#include "common/Strings.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"
#include "ui/OemDefinitions.h"

namespace portal {

using namespace engine;

// --- the engine ---------------------------------------------------------------

void CameraSession::Prepare(std::unique_ptr<EngineLink> engine, std::wstring_view uniqueName,
                            std::wstring_view registryKey) {
  engine_ = watch_.Watch(std::move(engine));
  state_.uniqueName = std::wstring(uniqueName);
  state_.settingsKey = CompleteSettingsKey(registryKey);
  // Both results are ignored: a prepared control works with what it has.
  engine_->ExecuteRecord(kCmdPrepare, kNoSubCode, MakePrepareRecord(state_.uniqueName, state_.settingsKey));
  engine_->ExecuteLong(kCmdNotifyWindow, kNotifyWindowSet, static_cast<LONG>(WindowToRecord(view_.Window())));
  LONG processId = 0;
  if (engine_->InquireLong(kCmdProcessId, kNoSubCode, &processId)) {
    watch_.Start(static_cast<DWORD>(processId), view_.Window());
  }
}

void CameraSession::Release() {
  if (!engine_) return;
  // The engine's own end after the last release is no loss.
  watch_.Stop();
  Disconnect();
  engine_->ExecuteLong(kCmdNotifyWindow, kNotifyWindowRemove, static_cast<LONG>(WindowToRecord(view_.Window())));
  engine_.reset();
}

void CameraSession::Abandon() {
  watch_.Stop();
  engine_.reset();
}

// --- cameras --------------------------------------------------------------------

bool CameraSession::CameraCount(LONG* count) {
  return engine_ && engine_->InquireLong(kCmdCameraCount, kNoSubCode, count);
}

bool CameraSession::ReadCamera(LONG index, CameraRecord* record) {
  return engine_ && engine_->InquireRecord(kCmdCameraRecord, index, record);
}

bool CameraSession::ReadCurrentCamera(CameraRecord* record) {
  return engine_ && engine_->InquireRecord(kCmdCurrentCamera, kNoSubCode, record);
}

bool CameraSession::ReadRememberedCamera(CameraRecord* record, LONG* index) {
  if (!engine_ || !engine_->InquireRecord(kCmdRememberedCamera, kNoSubCode, record)) return false;
  if (index) {
    LONG remembered = tovra2::kNoCameraIndex;
    *index = engine_->InquireLong(kCmdRememberedIndex, kNoSubCode, &remembered) ? remembered : tovra2::kNoCameraIndex;
  }
  return true;
}

bool CameraSession::RememberedIndex(LONG* index) {
  return engine_ && engine_->InquireLong(kCmdRememberedIndex, kNoSubCode, index);
}

bool CameraSession::CameraInUse(LONG index, LONG* inUse) {
  return engine_ && engine_->InquireLongWithInput(kCmdCameraInUse, kNoSubCode, index, inUse);
}

std::wstring CameraSession::DisplayName(const CameraRecord& camera) const {
  std::wstring name = common::AnsiToWide(common::AnsiFieldToString(camera.name, sizeof(camera.name)));
  if (camera.type == kCameraTypeBranded && !state_.uniqueName.empty()) {
    if (auto brand = skin::OemCameraDisplayName(ModuleState::Instance())) name = *brand;
  }
  return name;
}

bool CameraSession::ReadConnected(LONG* connected) {
  return engine_ && engine_->InquireLong(kCmdConnected, kNoSubCode, connected);
}

bool CameraSession::IsCameraConnected() {
  LONG connected = 0;
  return ReadConnected(&connected) && connected != 0;
}

LONG CameraSession::CurrentIndex() {
  LONG index = tovra2::kNoCameraIndex;
  if (engine_) engine_->InquireLong(kCmdCurrentIndex, kNoSubCode, &index);
  return index;
}

LONG CameraSession::CurrentState() {
  LONG state = tovra2::kCameraStateUnreadable;
  ReadCurrentState(&state);
  return state;
}

bool CameraSession::ReadCurrentState(LONG* state) {
  return engine_ && engine_->InquireLong(kCmdCameraState, kNoSubCode, state);
}

bool CameraSession::ReadRecordingState(RecordingStateRecord* state) {
  return IsCameraConnected() && engine_->InquireRecord(kCmdMovie, kMovieState, state);
}

bool CameraSession::RecordingAnywhere() {
  RecordingStateRecord state;
  return engine_ && ReadRecordingState(&state) && state.active != 0;
}

bool CameraSession::RecordingAnywhereOnCurrentCamera() {
  RecordingStateRecord state;
  return engine_ && engine_->InquireRecord(kCmdMovie, kMovieState, &state) && state.active != 0;
}

// --- settings and properties ------------------------------------------------------

bool CameraSession::Settings(LONG subCode, std::wstring_view key) {
  return engine_ &&
         engine_->ExecuteRecord(kCmdSettings, subCode, MakeSettingsRecord(key.empty() ? state_.settingsKey : key));
}

bool CameraSession::LoadSettings(std::wstring_view key) { return Settings(kSettingsLoad, key); }

bool CameraSession::SaveSettings(std::wstring_view key) { return Settings(kSettingsSave, key); }

bool CameraSession::SetProperty(LONG property, LONG value) {
  if (property == kPropLiveVideo && value == 1 && !state_.allowPreviewDuringPictures) return false;
  return WriteProperty(property, value);
}

bool CameraSession::ReadProperty(LONG property, LONG* value) {
  return engine_ && engine_->InquireLong(kCmdProperty, property, value);
}

bool CameraSession::WriteProperty(LONG property, LONG value) {
  return engine_ && engine_->ExecuteLong(kCmdProperty, property, value);
}

}  // namespace portal
