// Registry storage of the remembered camera.
#include "RememberedCamera.h"

#include "common/Registry.h"
#include "common/Strings.h"

namespace engine {
namespace {

constexpr wchar_t kEngineKey[] = L"Software\\Torvane\\CameraEngine";

}  // namespace

void RememberCamera(const Camera& camera) {
  common::UniqueRegKey key = common::CreateRegKey(HKEY_CURRENT_USER, kEngineKey, KEY_WRITE);
  if (!key) return;
  const CameraDefinition& definition = camera.Definition();
  common::WriteRegString(key.get(), L"CameraName", common::AnsiToWide(definition.name));
  common::WriteRegString(key.get(), L"CameraDevice", common::AnsiToWide(definition.device));
  common::WriteRegDword(key.get(), L"CameraVendorId", definition.vendorId);
  common::WriteRegDword(key.get(), L"CameraProductId", definition.productId);
  common::WriteRegDword(key.get(), L"CameraType", static_cast<DWORD>(definition.type));
  common::WriteRegDword(key.get(), L"CameraSerial", definition.serial);
}

std::optional<CameraRecord> ReadRememberedCamera() {
  common::UniqueRegKey key = common::OpenRegKey(HKEY_CURRENT_USER, kEngineKey);
  if (!key) return std::nullopt;
  const auto name = common::ReadRegString(key.get(), L"CameraName");
  const auto vendor = common::ReadRegDword(key.get(), L"CameraVendorId");
  const auto product = common::ReadRegDword(key.get(), L"CameraProductId");
  const auto type = common::ReadRegDword(key.get(), L"CameraType");
  const auto serial = common::ReadRegDword(key.get(), L"CameraSerial");
  if (!name || !vendor || !product || !type || !serial) return std::nullopt;
  CameraRecord record{};
  record.size = sizeof(record);
  record.vendorId = static_cast<std::uint16_t>(*vendor);
  record.productId = static_cast<std::uint16_t>(*product);
  common::CopyToAnsiField(*name, record.name, sizeof(record.name));
  record.type = static_cast<std::int32_t>(*type);
  record.state = Camera::kStateGone;
  record.serial = *serial;
  record.index = 0xFFFFFFFFu;
  if (const auto device = common::ReadRegString(key.get(), L"CameraDevice")) {
    common::CopyToAnsiField(*device, record.device, sizeof(record.device));
  }
  return record;
}

void ForgetRememberedCamera() {
  common::DeleteRegTree(HKEY_CURRENT_USER, kEngineKey);
}

}  // namespace engine
