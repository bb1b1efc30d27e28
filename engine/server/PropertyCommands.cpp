// Camera properties by number (5/p) and the engine mode (28/x). Properties
// 16, 19, 20 and 29 belong to the client (live video during pictures,
// motion reporting, motion sensitivity, video hook); every other number is
// a property of the connected camera, shared by all its clients (28 is
// none: reports of the mode carry it). Changes are reported to the
// camera's other clients (CameraValues.h).
#include "EngineCommands.h"
#include "Engine.h"
#include "EngineMessages.h"
#include "CameraValues.h"
#include "DeviceProperties.h"
#include "Handlers.h"

namespace engine {
namespace {

constexpr long kMaxPropertyNumber = 1023;

HRESULT SetClientProperty(Session& session, long property, long value) {
  switch (property) {
    case kPropLiveVideo:
      session.liveVideo = value;
      return S_OK;
    case kPropMotionReport:
      if (value != 0 && session.motionReport == 0) session.motion.Reset();
      session.motionReport = value;
      return S_OK;
    case kPropMotionSensitivity:
      if (value < Session::kMinSensitivity || value > Session::kMaxSensitivity) {
        return E_INVALIDARG;
      }
      session.sensitivity = value;
      return S_OK;
    case kPropHook:
      if (value == 0) {
        session.hook.Stop();
        return S_OK;
      }
      return session.hook.Start();
    default: return E_NOTIMPL;
  }
}

bool IsClientProperty(long property) {
  return property == kPropLiveVideo || property == kPropMotionReport ||
         property == kPropMotionSensitivity || property == kPropHook;
}

// Any other number up to kMaxPropertyNumber but the one that 1630 uses for
// the mode.
bool IsCameraProperty(long property) {
  return property >= 0 && property <= kMaxPropertyNumber && property != static_cast<long>(kModeChangedNumber);
}

long ClientProperty(const Session& session, long property) {
  switch (property) {
    case kPropLiveVideo: return session.liveVideo;
    case kPropMotionReport: return session.motionReport;
    case kPropMotionSensitivity: return session.sensitivity;
    default: return session.hook.On() ? 1 : 0;
  }
}

}  // namespace

HRESULT ExecuteProperty(Session& session, const Call& call) {
  long value = 0;
  const HRESULT hr = ReadLong(call, &value);
  if (FAILED(hr)) return hr;
  if (IsClientProperty(call.subCode)) return SetClientProperty(session, call.subCode, value);
  if (!IsCameraProperty(call.subCode)) return E_INVALIDARG;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  Camera& camera = *session.camera;
  if (camera.IsDevice() && IsDeviceProperty(call.subCode)) {
    // The device keeps the value; out of its range or missing: refused.
    if (FAILED(WriteDeviceProperty(camera.DeviceFilter(), call.subCode, value))) return E_INVALIDARG;
    Engine::Instance().PostToUsers(camera, kMsgPropertyChanged, static_cast<WPARAM>(call.subCode),
                                   static_cast<LPARAM>(value), &session);
    return S_OK;
  }
  ChangeCameraValue(camera, call.subCode, value, &session);
  return S_OK;
}

HRESULT InquireProperty(Session& session, const Call& call) {
  if (IsClientProperty(call.subCode)) return WriteLong(call, ClientProperty(session, call.subCode));
  if (!IsCameraProperty(call.subCode)) return E_INVALIDARG;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  if (session.camera->IsDevice() && IsDeviceProperty(call.subCode)) {
    long value = 0;
    if (FAILED(ReadDeviceProperty(session.camera->DeviceFilter(), call.subCode, &value))) return E_INVALIDARG;
    return WriteLong(call, value);
  }
  if (!session.camera->HasProperty(call.subCode)) return E_INVALIDARG;
  return WriteLong(call, session.camera->Property(call.subCode));
}

HRESULT ExecuteMode(Session& session, const Call& call) {
  if (call.subCode != kModeOn && call.subCode != kModeOff) return E_NOTIMPL;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  ChangeCameraValue(*session.camera, static_cast<long>(kModeChangedNumber), call.subCode == kModeOn ? 1 : 0,
                    &session);
  return S_OK;
}

HRESULT InquireMode(Session& session, const Call& call) {
  if (call.subCode != kModeRead) return E_NOTIMPL;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  return WriteLong(call, session.camera->Mode() ? 1 : 0);
}

}  // namespace engine
