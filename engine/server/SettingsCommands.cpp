// Camera settings saved under (9/2) and loaded from (9/1) a registry key
// given in full with its root name ("HKEY_CURRENT_USER\..."). Each camera
// keeps its own subkey named after the camera: capture size, motion
// sensitivity, the engine mode and properties 106, 107 and 108.
#include "CameraValues.h"
#include "DeviceProperties.h"
#include "EngineCommands.h"
#include "EngineMessages.h"
#include "Engine.h"
#include "Handlers.h"
#include "common/Registry.h"
#include "common/Strings.h"

namespace engine {
namespace {

struct SettingsKey {
  HKEY root = nullptr;
  std::wstring path;
};

HRESULT KeyOf(const Session& session, const SettingsRecord& record, SettingsKey* key) {
  const std::wstring full =
      common::AnsiToWide(common::AnsiFieldToString(record.key, sizeof(record.key)));
  std::wstring subKey;
  if (!common::SplitRootedPath(full, &key->root, &subKey) || subKey.empty()) return E_INVALIDARG;
  key->path = subKey + L"\\" + common::AnsiToWide(session.camera->Definition().name);
  return S_OK;
}

// The camera values kept with the settings: the indicators a user sets
// (the level is a reading of the camera, not a setting).
struct SavedValue {
  const wchar_t* name;
  long number;
};
const SavedValue kSavedValues[] = {{L"Mode", static_cast<long>(kModeChangedNumber)},
                                   {L"Switch", kPropIndicatorSwitch},
                                   {L"Value", kPropIndicatorValue},
                                   {L"Indicator106", kPropIndicatorReserved}};

std::wstring DeviceValueName(long number) { return L"Property" + std::to_wstring(number); }

// The settings a capture device has, as values "Property<number>".
void SaveDeviceProperties(const Camera& camera, HKEY key) {
  if (!camera.IsDevice()) return;
  for (long number : DevicePropertyNumbers()) {
    long value = 0;
    if (SUCCEEDED(ReadDeviceProperty(camera.DeviceFilter(), number, &value))) {
      common::WriteRegDword(key, DeviceValueName(number).c_str(), static_cast<DWORD>(value));
    }
  }
}

// Stored settings the device takes (others are ignored) are reported to
// every client of the camera.
void LoadDeviceProperties(Camera& camera, HKEY key) {
  if (!camera.IsDevice()) return;
  for (long number : DevicePropertyNumbers()) {
    const auto stored = common::ReadRegDword(key, DeviceValueName(number).c_str());
    long current = 0;
    if (!stored || FAILED(ReadDeviceProperty(camera.DeviceFilter(), number, &current))) continue;
    const long value = static_cast<long>(static_cast<std::int32_t>(*stored));
    if (value == current || FAILED(WriteDeviceProperty(camera.DeviceFilter(), number, value))) continue;
    Engine::Instance().PostToUsers(camera, kMsgPropertyChanged, static_cast<WPARAM>(number),
                                   static_cast<LPARAM>(value));
  }
}

HRESULT Save(Session& session, const SettingsKey& where) {
  common::UniqueRegKey key = common::CreateRegKey(where.root, where.path, KEY_WRITE);
  if (!key) return HRESULT_FROM_WIN32(::GetLastError());
  const Camera& camera = *session.camera;
  common::WriteRegDword(key.get(), L"Width", static_cast<DWORD>(camera.CaptureSize().width));
  common::WriteRegDword(key.get(), L"Height", static_cast<DWORD>(camera.CaptureSize().height));
  common::WriteRegDword(key.get(), L"Sensitivity", static_cast<DWORD>(session.sensitivity));
  for (const SavedValue& saved : kSavedValues) {
    common::WriteRegDword(key.get(), saved.name, static_cast<DWORD>(CameraValue(camera, saved.number)));
  }
  SaveDeviceProperties(camera, key.get());
  return S_OK;
}

// Missing values (or a missing key) leave the current settings; values out
// of range are ignored.
HRESULT Load(Session& session, const SettingsKey& where) {
  common::UniqueRegKey key = common::OpenRegKey(where.root, where.path);
  if (!key) return S_OK;
  Camera& camera = *session.camera;
  const auto width = common::ReadRegDword(key.get(), L"Width");
  const auto height = common::ReadRegDword(key.get(), L"Height");
  if (width && height && !Engine::Instance().Recording(camera)) {
    camera.SetCaptureSize({static_cast<int>(*width), static_cast<int>(*height)});
  }
  if (const auto value = common::ReadRegDword(key.get(), L"Sensitivity"); value && *value >= 1 && *value <= 100) {
    session.sensitivity = static_cast<long>(*value);
  }
  // Indicators that change are reported to every client of the camera,
  // the one that loads included: it did not know the stored values.
  for (const SavedValue& saved : kSavedValues) {
    const auto value = common::ReadRegDword(key.get(), saved.name);
    if (value && static_cast<long>(*value) != CameraValue(camera, saved.number)) {
      ChangeCameraValue(camera, saved.number, static_cast<long>(*value), nullptr);
    }
  }
  LoadDeviceProperties(camera, key.get());
  return S_OK;
}

}  // namespace

HRESULT ExecuteSettings(Session& session, const Call& call) {
  if (call.subCode != 1 && call.subCode != 2) return E_NOTIMPL;
  SettingsRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  SettingsKey where;
  hr = KeyOf(session, record, &where);
  if (FAILED(hr)) return hr;
  return call.subCode == 2 ? Save(session, where) : Load(session, where);
}

}  // namespace engine
