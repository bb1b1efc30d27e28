// Preparing the control, describing cameras, connecting and disconnecting,
// camera properties, capture format and camera settings.
#include "core/VideoPortal.h"

#include <algorithm>
#include <iterator>

#include "PortalContract.h"
#include "common/Strings.h"
#include "common/UniqueBstr.h"
#include "common/WaitCursor.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"
#include "ui/OemDefinitions.h"

namespace portal {
namespace {

using namespace engine;

// Wider formats are stills: the live video stays at 640 x 480.
constexpr LONG kStillModeWidth = 640;

}  // namespace

// --- helpers ----------------------------------------------------------------

bool VideoPortal::IsCameraConnected() {
  LONG connected = 0;
  return engine_ && engine_->InquireLong(kCmdConnected, kNoSubCode, &connected) && connected != 0;
}

bool VideoPortal::ReadCameraRecord(LONG index, engine::CameraRecord* record) {
  return engine_ && engine_->InquireRecord(kCmdCameraRecord, index, record);
}

bool VideoPortal::ReadRememberedCamera(engine::CameraRecord* record, LONG* index) {
  LONG remembered = tovra2::kNoCameraIndex;
  if (!engine_ || !engine_->InquireRecord(kCmdRememberedCamera, kNoSubCode, record)) return false;
  if (index) *index = engine_->InquireLong(kCmdRememberedIndex, kNoSubCode, &remembered) ? remembered : tovra2::kNoCameraIndex;
  return true;
}

bool VideoPortal::ReadProperty(LONG property, LONG* value) {
  return engine_ && engine_->InquireLong(kCmdProperty, property, value);
}

bool VideoPortal::ReadFormat(LONG* width, LONG* height, LONG* bitDepth, LONG* fourCC) {
  LONG result = 0;
  GetVideoFormat(width, height, bitDepth, fourCC, &result);
  return result == 1;
}

bool VideoPortal::RecordingActiveGlobal() {
  LONG active = 0;
  get_MovieRecordingActiveGlobal(&active);
  return active != 0;
}

// --- preparing ----------------------------------------------------------------

HRESULT VideoPortal::PrepareControl(BSTR strUniqueName, BSTR strRegistryKey, LONG, LONG* plResult) {
  BusyScope busy;
  ShowInfoScreen(InfoScreenKind::kNoCamera);
  // The engine can only be created once the control has its window.
  if (HasEngine() || !window_.Handle()) return Result(plResult, false);
  std::unique_ptr<EngineClient> client;
  if (FAILED(EngineClient::Create(&client))) return Result(plResult, false);
  engine_ = std::move(client);
  connection_.uniqueName = common::BstrToWide(strUniqueName);
  connection_.settingsKey = CompleteSettingsKey(common::BstrToWide(strRegistryKey));
  engine_->ExecuteRecord(kCmdPrepare, kNoSubCode, MakePrepareRecord(connection_.uniqueName, connection_.settingsKey));
  const auto window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_.Handle()));
  engine_->ExecuteLong(kCmdNotifyWindow, kNotifyWindowSet, window);
  return Result(plResult, true);
}

// --- describing cameras ---------------------------------------------------------

HRESULT VideoPortal::GetCameraCount(LONG* plCount, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, engine_ && plCount && engine_->InquireLong(kCmdCameraCount, kNoSubCode, plCount));
}

HRESULT VideoPortal::GetCameraDescription(LONG lIndex, BSTR* strDescription, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  if (!strDescription || !ReadCameraRecord(lIndex, &record)) return Result(plResult, false);
  std::wstring name = common::AnsiToWide(common::AnsiFieldToString(record.name, sizeof(record.name)));
  if (record.type == kCameraTypeBranded && !connection_.uniqueName.empty()) {
    // An equipment maker may rename its own cameras.
    if (auto brand = skin::OemCameraDisplayName(ModuleState::Instance())) name = *brand;
  }
  if (name.size() > 259) name.resize(259);
  // A client may hand in a string: it is replaced.
  const common::UniqueBstr previous = common::UniqueBstr::Attach(*strDescription);
  *strDescription = common::AllocBstr(name);
  return Result(plResult, true);
}

HRESULT VideoPortal::GetCameraType(LONG lIndex, LONG* lCameraType, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  if (!lCameraType || !ReadCameraRecord(lIndex, &record)) return Result(plResult, false);
  *lCameraType = record.type;
  return Result(plResult, true);
}

HRESULT VideoPortal::GetCameraState(LONG lIndex, LONG* plCameraState, LONG* plResult) {
  BusyScope busy;
  engine::CameraRecord record;
  const bool read = ReadCameraRecord(lIndex, &record);
  if (plCameraState) *plCameraState = read ? record.state : tovra2::kCameraStateUnreadable;
  return Result(plResult, read);
}

HRESULT VideoPortal::QueryCameraConnected(LONG lIndex, LONG* bConnected, LONG* plResult) {
  BusyScope busy;
  LONG inUse = 0;
  if (!bConnected || !engine_ || !engine_->InquireLongWithInput(kCmdCameraInUse, kNoSubCode, lIndex, &inUse)) {
    return Result(plResult, false);
  }
  *bConnected = inUse;
  return Result(plResult, true);
}

HRESULT VideoPortal::QueryRegistryCameraIndex(LONG* lIndex, LONG* plResult) {
  BusyScope busy;
  if (lIndex) *lIndex = tovra2::kNoCameraIndex;
  return Result(plResult, lIndex && engine_ && engine_->InquireLong(kCmdRememberedIndex, kNoSubCode, lIndex));
}

HRESULT VideoPortal::get_CameraConnected(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = IsCameraConnected() ? 1 : 0;
  return S_OK;
}

HRESULT VideoPortal::get_CameraIndex(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = tovra2::kNoCameraIndex;
  if (engine_) engine_->InquireLong(kCmdCurrentIndex, kNoSubCode, pVal);
  return S_OK;
}

HRESULT VideoPortal::get_CameraState(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = tovra2::kCameraStateUnreadable;
  if (engine_) engine_->InquireLong(kCmdCameraState, kNoSubCode, pVal);
  return S_OK;
}

// --- connecting -------------------------------------------------------------------

HRESULT VideoPortal::ConnectCamera(LONG lIndex, LONG* plResult) {
  BusyScope busy;
  connection_.lastCameraIndex = lIndex;
  return Result(plResult, HasEngine() && ConnectIndex(lIndex));
}

bool VideoPortal::ConnectIndex(LONG index) {
  connection_.lastCameraIndex = index;
  if (IsCameraConnected()) {
    LONG ignored = 0;
    DisconnectCamera(&ignored);
  }
  connection_.connectionWanted = true;
  engine::CameraRecord record;
  if (!ReadCameraRecord(index, &record)) return false;
  common::WaitCursor cursor;
  if (!engine_->ExecuteRecord(kCmdConnect, kNoSubCode, record)) return false;
  ProbeFormatSupport();
  preview_.HideRetryButton();
  LONG ignored = 0;
  LoadRegistrySettings(nullptr, &ignored);
  ApplyPreview(settings_.enablePreview);
  LayOut();
  if (window_.Handle()) ::InvalidateRect(window_.Handle(), nullptr, TRUE);
  return true;
}

HRESULT VideoPortal::ConnectCamera2(LONG* plResult) {
  BusyScope busy;
  ShowInfoScreen(InfoScreenKind::kNoCamera);
  if (!HasEngine()) return Result(plResult, false);
  connection_.connectionWanted = true;
  if (IsCameraConnected()) {
    if (window_.Handle()) ::InvalidateRect(window_.Handle(), nullptr, TRUE);
    LayOut();
    return Result(plResult, false);
  }
  LONG count = 0;
  if (!engine_->InquireLong(kCmdCameraCount, kNoSubCode, &count)) {
    PostRefresh();
    return Result(plResult, false);
  }
  SearchAndConnect();
  if (!IsCameraConnected()) {
    ShowInfoScreen(InfoScreenKind::kNoCamera);
    PostRefresh();
  }
  LayOut();
  return Result(plResult, true);
}

// The automatic search: a camera the engine already has in use, then the
// camera remembered in the registry, then every camera in index order.
void VideoPortal::SearchAndConnect() {
  LONG count = 0;
  engine_->InquireLong(kCmdCameraCount, kNoSubCode, &count);
  LONG inUse = tovra2::kNoCameraIndex;
  for (LONG i = 0; i < count && inUse < 0; ++i) {
    LONG used = 0;
    if (engine_->InquireLongWithInput(kCmdCameraInUse, kNoSubCode, i, &used) && used != 0) inUse = i;
  }
  engine::CameraRecord remembered;
  LONG failedMatch = tovra2::kNoCameraIndex;
  bool connected = false;
  if (ReadRememberedCamera(&remembered, nullptr) && inUse < 0) {
    for (LONG i = 0; i < count && !connected; ++i) {
      engine::CameraRecord candidate;
      if (!ReadCameraRecord(i, &candidate)) continue;
      const bool sameType = candidate.type == remembered.type;
      const bool sameIds = candidate.vendorId == remembered.vendorId && candidate.productId == remembered.productId;
      if (!sameType || !(sameIds || remembered.productId == kAnyProductOfType)) continue;
      connected = ConnectIndex(i);
      if (!connected) failedMatch = i;
    }
  }
  if (inUse >= 0 && !connected) connected = ConnectIndex(inUse);
  for (LONG i = 0; i < count && !connected && !IsCameraConnected(); ++i) {
    engine::CameraRecord candidate;
    if (i == failedMatch || !ReadCameraRecord(i, &candidate)) continue;
    connected = ConnectIndex(i);
  }
}

HRESULT VideoPortal::DisconnectCamera(LONG* plResult) {
  BusyScope busy;
  connection_.connectionWanted = false;
  preview_.SetLive(false);
  return Result(plResult, engine_ && engine_->ExecuteBare(kCmdDisconnect, kNoSubCode));
}

void VideoPortal::ProbeFormatSupport() {
  auto& supported = connection_.formatSupported;
  supported.fill(true);
  struct Probe {
    Resolution size;
    LONG width, height;
  } probes[] = {{Resolution::k160x120, 160, 120}, {Resolution::k240x180, 240, 180}, {Resolution::k320x240, 320, 240},
                {Resolution::k640x480, 640, 480}, {Resolution::k800x600, 800, 600}, {Resolution::k1024x768, 1024, 768}};
  for (const Probe& probe : probes) {
    engine::VideoFormatRecord record = MakeVideoFormatRecord(probe.width, probe.height, 24, 0);
    supported[static_cast<size_t>(probe.size)] =
        SUCCEEDED(engine_->Inquire(kCmdFormat, kFormatProbe, nullptr, 0, &record, sizeof(record)));
  }
  engine::VideoFormatRecord large = MakeVideoFormatRecord(1280, 960, 24, 0);
  engine::StillFormatRecord still = MakeStillFormatRecord(1280, 960);
  supported[static_cast<size_t>(Resolution::k1280x960)] =
      SUCCEEDED(engine_->Inquire(kCmdFormat, kFormatProbe, nullptr, 0, &large, sizeof(large))) ||
      SUCCEEDED(engine_->Inquire(kCmdStillFormat, kStillProbe, nullptr, 0, &still, sizeof(still)));
  supported[static_cast<size_t>(Resolution::k1600)] = false;
}

// --- settings and properties -----------------------------------------------------

HRESULT VideoPortal::LoadRegistrySettings(BSTR strRegistryKey, LONG* plResult) {
  BusyScope busy;
  const std::wstring key = common::BstrToWide(strRegistryKey);
  return Result(plResult,
                engine_ && engine_->ExecuteRecord(kCmdSettings, kSettingsLoad,
                                                  MakeSettingsRecord(key.empty() ? connection_.settingsKey : key)));
}

HRESULT VideoPortal::SaveRegistrySettings(BSTR strRegistryKey, LONG* plResult) {
  BusyScope busy;
  const std::wstring key = common::BstrToWide(strRegistryKey);
  return Result(plResult,
                engine_ && engine_->ExecuteRecord(kCmdSettings, kSettingsSave,
                                                  MakeSettingsRecord(key.empty() ? connection_.settingsKey : key)));
}

HRESULT VideoPortal::SetCameraPropertyLong(LONG lProperty, LONG lPropertyValue, LONG* plResult) {
  BusyScope busy;
  if (!HasEngine()) return Result(plResult, false);
  if (lProperty == kPropHook) {
    return lPropertyValue ? StartVideoHook(0, plResult) : StopVideoHook(0, plResult);
  }
  // Live video during pictures cannot be switched on while the client
  // disallowed it.
  if (lProperty == kPropLiveVideo && lPropertyValue == 1 && !connection_.allowPreviewDuringPictures) {
    return Result(plResult, false);
  }
  return Result(plResult, WriteProperty(lProperty, lPropertyValue));
}

HRESULT VideoPortal::GetCameraPropertyLong(LONG lProperty, LONG* plPropertyValue, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, plPropertyValue && ReadProperty(lProperty, plPropertyValue));
}

// --- capture format ------------------------------------------------------------------

HRESULT VideoPortal::SetVideoFormat(LONG lWidth, LONG lHeight, LONG lBitDepth, LONG lFormatFourCC, LONG* plResult) {
  BusyScope busy;
  if (!HasEngine()) return Result(plResult, false);
  if (lWidth <= kStillModeWidth) {
    connection_.highResolutionStillMode = false;
    const bool set = engine_->ExecuteRecord(kCmdFormat, kFormatSet,
                                            MakeVideoFormatRecord(lWidth, lHeight, lBitDepth, lFormatFourCC));
    if (set) LayOut();
    return Result(plResult, set);
  }
  // Large sizes are stills: the live video stays at 640 x 480.
  connection_.highResolutionStillMode = true;
  if (!connection_.stillCapable) return Result(plResult, false);
  const bool set = engine_->ExecuteRecord(kCmdFormat, kFormatSet, MakeVideoFormatRecord(640, 480, 24, 0)) &&
                   engine_->ExecuteRecord(kCmdStillFormat, kStillSet, MakeStillFormatRecord(lWidth, lHeight));
  if (set) {
    FireNotification(tovra2::kNotifyFormatChanged, lWidth, lHeight, 0);
    LayOut();
  }
  return Result(plResult, set);
}

HRESULT VideoPortal::GetVideoFormat(LONG* plWidth, LONG* plHeight, LONG* plBitDepth, LONG* lFormatFourCC,
                                    LONG* plResult) {
  BusyScope busy;
  if (!HasEngine() || !plWidth || !plHeight || !plBitDepth || !lFormatFourCC) return Result(plResult, false);
  engine::StillFormatRecord still;
  if (connection_.highResolutionStillMode && connection_.stillCapable &&
      engine_->InquireRecord(kCmdStillFormat, kStillRead, &still)) {
    *plWidth = still.width;
    *plHeight = still.height;
    *plBitDepth = still.bitDepth;
    *lFormatFourCC = 0;
    return Result(plResult, true);
  }
  // Outside the still mode, and in it without a usable still format, the
  // ordinary format answers.
  engine::VideoFormatRecord format;
  if (!engine_->InquireRecord(kCmdFormat, kFormatRead, &format)) return Result(plResult, false);
  *plWidth = format.header.biWidth;
  *plHeight = format.header.biHeight;
  *plBitDepth = format.header.biBitCount;
  *lFormatFourCC = static_cast<LONG>(format.header.biCompression);
  return Result(plResult, true);
}

}  // namespace portal
