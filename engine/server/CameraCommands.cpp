// Preparation, notification window, camera enumeration and connection.
#include <optional>

#include "CameraValues.h"
#include "EngineCommands.h"
#include "Engine.h"
#include "Handlers.h"
#include "RememberedCamera.h"
#include "common/Strings.h"

namespace engine {
namespace {

HRESULT Prepare(Session& session, const Call& call) {
  PrepareRecord record;
  const HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  session.uniqueName = common::AnsiFieldToString(record.uniqueName, sizeof(record.uniqueName));
  session.settingsKey = common::AnsiFieldToString(record.registryKey, sizeof(record.registryKey));
  return S_OK;
}

HRESULT Connect(Session& session, const Call& call) {
  CameraRecord record;
  const HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  Camera* camera = Engine::Instance().FindCamera(record);
  if (!camera || camera->Gone()) return session.Fail(kReasonNoCamera);
  // A device that gives no frame within two seconds is failing.
  if (FAILED(Engine::Instance().StartCapture(*camera))) return session.Fail(kReasonFile);
  session.Connect(*camera);
  ReportIndicatorsTo(session);
  RememberCamera(*camera);
  return S_OK;
}

HRESULT NotifyWindow(Session& session, const Call& call) {
  if (call.subCode == 1) {
    session.ClearNotifyWindow();
    return S_OK;
  }
  if (call.subCode != 0) return E_NOTIMPL;
  long handle = 0;
  const HRESULT hr = ReadLong(call, &handle);
  if (FAILED(hr)) return hr;
  return session.SetNotifyWindow(WindowFromRecord(static_cast<std::uint32_t>(handle)));
}

// The remembered camera as it is now: the present camera with the same
// identity, or the stored record marked gone.
std::optional<CameraRecord> Remembered(long* index) {
  std::optional<CameraRecord> record = ReadRememberedCamera();
  *index = -1;
  if (!record) return record;
  if (Camera* camera = Engine::Instance().FindCamera(*record)) {
    *index = static_cast<long>(camera->Index());
    return camera->Record();
  }
  return record;
}

HRESULT FeatureInquiry(const Call& call) {
  FeatureInquiryRecord record;
  const HRESULT hr = ReadRecord(call, &record);
  if (FAILED(hr)) return hr;
  const bool known = IsEqualGUID(record.identifier, kShowHideFeature) && record.value1 == 256 &&
                     record.value2 == 256;
  return known ? S_OK : E_INVALIDARG;
}

HRESULT CameraInUse(const Call& call) {
  long index = 0;
  const HRESULT hr = ReadLong(call, &index);
  if (FAILED(hr)) return hr;
  const Camera* camera = Engine::Instance().CameraAt(index);
  if (!camera) return E_INVALIDARG;
  return WriteLong(call, Engine::Instance().InUse(*camera) ? 1 : 0);
}

}  // namespace

HRESULT ExecuteCameraCommand(Session& session, const Call& call) {
  if (call.command == kCmdNotifyWindow) return NotifyWindow(session, call);
  if (call.subCode != 0) return E_NOTIMPL;
  switch (call.command) {
    case kCmdPrepare: return Prepare(session, call);
    case kCmdConnect: return Connect(session, call);
    case kCmdDisconnect:
      session.Disconnect();
      return S_OK;
    default: return E_NOTIMPL;
  }
}

HRESULT InquireCameraCommand(Session& session, const Call& call) {
  Engine& engine = Engine::Instance();
  long index = -1;
  switch (call.command) {
    case kCmdConnected: return WriteLong(call, session.camera ? 1 : 0);
    case kCmdCameraCount: return WriteLong(call, engine.CameraCount());
    case kCmdCameraRecord: {
      const Camera* camera = engine.CameraAt(call.subCode);
      return camera ? WriteRecord(call, camera->Record()) : E_INVALIDARG;
    }
    case kCmdCurrentCamera:
      return session.camera ? WriteRecord(call, session.camera->Record()) : session.Fail(kReasonNoCamera);
    case kCmdCurrentIndex:
      return WriteLong(call, session.camera ? static_cast<long>(session.camera->Index()) : -1);
    case kCmdRememberedCamera: {
      const std::optional<CameraRecord> record = Remembered(&index);
      return record ? WriteRecord(call, *record) : E_FAIL;
    }
    case kCmdRememberedIndex:
      return Remembered(&index) ? WriteLong(call, index) : E_FAIL;
    case kCmdCameraState:
      return session.camera ? WriteLong(call, session.camera->State()) : session.Fail(kReasonNoCamera);
    case kCmdCameraInUse: return CameraInUse(call);
    case kCmdFeature: return FeatureInquiry(call);
    case kCmdProcessId: return WriteLong(call, static_cast<long>(::GetCurrentProcessId()));
    case kCmdLastFailure: return WriteLong(call, session.lastFailure);
    default: return E_NOTIMPL;
  }
}

}  // namespace engine
