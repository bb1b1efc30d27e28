// IVideoPortal members of the camera session: preparing the control,
// describing cameras, connecting and disconnecting, camera properties,
// capture format and camera settings.
#include "core/VideoPortal.h"

#include "PortalContract.h"
#include "common/Strings.h"
#include "common/UniqueBstr.h"
#include "engine/EngineClient.h"
#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

// Longest camera description handed to a client.
constexpr size_t kMaxDescription = 259;

}  // namespace

HRESULT VideoPortal::PrepareControl(BSTR strUniqueName, BSTR strRegistryKey, LONG, LONG* plResult) {
  BusyScope busy;
  ShowInfoScreen(InfoScreenKind::kNoCamera, std::wstring());
  // The engine can only be created once the control has its window.
  if (session_.HasEngine() || !window_.Handle()) return Result(plResult, false);
  std::unique_ptr<EngineLink> engine;
  if (FAILED(EngineClient::Create(&engine))) return Result(plResult, false);
  session_.Prepare(std::move(engine), common::BstrToWide(strUniqueName), common::BstrToWide(strRegistryKey));
  return Result(plResult, true);
}

HRESULT VideoPortal::GetCameraCount(LONG* plCount, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, plCount && session_.CameraCount(plCount));
}

HRESULT VideoPortal::GetCameraDescription(LONG lIndex, BSTR* strDescription, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  if (!strDescription || !session_.ReadCamera(lIndex, &record)) return Result(plResult, false);
  std::wstring name = session_.DisplayName(record);
  if (name.size() > kMaxDescription) name.resize(kMaxDescription);
  // A client may hand in a string: it is replaced.
  const common::UniqueBstr previous = common::UniqueBstr::Attach(*strDescription);
  *strDescription = common::AllocBstr(name);
  return Result(plResult, true);
}

HRESULT VideoPortal::GetCameraType(LONG lIndex, LONG* lCameraType, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  if (!lCameraType || !session_.ReadCamera(lIndex, &record)) return Result(plResult, false);
  *lCameraType = record.type;
  return Result(plResult, true);
}

HRESULT VideoPortal::GetCameraState(LONG lIndex, LONG* plCameraState, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  const bool read = session_.ReadCamera(lIndex, &record);
  if (plCameraState) *plCameraState = read ? record.state : tovra2::kCameraStateUnreadable;
  return Result(plResult, read);
}

HRESULT VideoPortal::QueryCameraConnected(LONG lIndex, LONG* bConnected, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, bConnected && session_.CameraInUse(lIndex, bConnected));
}

HRESULT VideoPortal::QueryRegistryCameraIndex(LONG* lIndex, LONG* plResult) {
  BusyScope busy;
  if (lIndex) *lIndex = tovra2::kNoCameraIndex;
  return Result(plResult, lIndex && session_.RememberedIndex(lIndex));
}

HRESULT VideoPortal::get_CameraConnected(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = session_.IsCameraConnected() ? 1 : 0;
  return S_OK;
}

HRESULT VideoPortal::get_CameraIndex(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = session_.CurrentIndex();
  return S_OK;
}

HRESULT VideoPortal::get_CameraState(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = session_.CurrentState();
  return S_OK;
}

HRESULT VideoPortal::ConnectCamera(LONG lIndex, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.Connect(lIndex));
}

HRESULT VideoPortal::ConnectCamera2(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.ConnectAutomatically());
}

HRESULT VideoPortal::DisconnectCamera(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.Disconnect());
}

HRESULT VideoPortal::LoadRegistrySettings(BSTR strRegistryKey, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.LoadSettings(common::BstrToWide(strRegistryKey)));
}

HRESULT VideoPortal::SaveRegistrySettings(BSTR strRegistryKey, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.SaveSettings(common::BstrToWide(strRegistryKey)));
}

HRESULT VideoPortal::SetCameraPropertyLong(LONG lProperty, LONG lPropertyValue, LONG* plResult) {
  BusyScope busy;
  if (!session_.HasEngine()) return Result(plResult, false);
  // The video hook property runs the hook members.
  if (lProperty == engine::kPropHook) return Result(plResult, lPropertyValue ? hook_.Start() : hook_.Stop());
  return Result(plResult, session_.SetProperty(lProperty, lPropertyValue));
}

HRESULT VideoPortal::GetCameraPropertyLong(LONG lProperty, LONG* plPropertyValue, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, plPropertyValue && session_.ReadProperty(lProperty, plPropertyValue));
}

HRESULT VideoPortal::SetVideoFormat(LONG lWidth, LONG lHeight, LONG lBitDepth, LONG lFormatFourCC, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, session_.SetFormat(lWidth, lHeight, lBitDepth, lFormatFourCC));
}

HRESULT VideoPortal::GetVideoFormat(LONG* plWidth, LONG* plHeight, LONG* plBitDepth, LONG* lFormatFourCC,
                                    LONG* plResult) {
  BusyScope busy;
  if (!plWidth || !plHeight || !plBitDepth || !lFormatFourCC) return Result(plResult, false);
  return Result(plResult, session_.ReadFormat(plWidth, plHeight, plBitDepth, lFormatFourCC));
}

}  // namespace portal
