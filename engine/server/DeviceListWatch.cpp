#include "DeviceListWatch.h"

#include <dbt.h>

#include <utility>

namespace engine {
namespace {

// KSCATEGORY_VIDEO: the interface class every video capture driver offers.
constexpr GUID kVideoInterfaceClass = {0x6994AD05, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

// The video input device category, where the system device enumerator
// finds software cameras (HKEY_CLASSES_ROOT merges the user's classes and
// the machine's).
constexpr wchar_t kCategoryKey[] = L"Software\\Classes\\CLSID\\{860BB310-5D01-11D0-BD3B-00A0C911CE86}";

common::UniqueRegKey OpenForNotify(HKEY root) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, kCategoryKey, 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) return common::UniqueRegKey();
  return common::UniqueRegKey(key);
}

}  // namespace

void DeviceListWatch::Start(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kVideoInterfaceClass;
  notification_.reset(::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
  machineKey_ = OpenForNotify(HKEY_LOCAL_MACHINE);
  userKey_ = OpenForNotify(HKEY_CURRENT_USER);
  keyChanged_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  ArmKeys();
}

void DeviceListWatch::Stop() {
  notification_.reset();
  machineKey_.reset();
  userKey_.reset();
  keyChanged_.reset();
  changed_ = false;
}

void DeviceListWatch::OnDeviceChange(WPARAM event) noexcept {
  if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) changed_ = true;
}

bool DeviceListWatch::TakeChange() {
  if (keyChanged_ && ::WaitForSingleObject(keyChanged_.get(), 0) == WAIT_OBJECT_0) {
    changed_ = true;
    ArmKeys();
  }
  return std::exchange(changed_, false);
}

// One event for both keys: a notification fires once and is then armed
// again. The user's key exists only where a user registered a camera.
void DeviceListWatch::ArmKeys() {
  if (!keyChanged_) return;
  constexpr DWORD kWhat = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
  for (const common::UniqueRegKey* key : {&machineKey_, &userKey_}) {
    if (key->valid()) ::RegNotifyChangeKeyValue(key->get(), TRUE, kWhat, keyChanged_.get(), TRUE);
  }
}

}  // namespace engine
