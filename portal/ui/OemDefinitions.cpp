// Definition keys the control uses.
#include "ui/OemDefinitions.h"

#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"
#include "ui/DefinitionReader.h"

namespace portal::skin {
namespace {

constexpr wchar_t kSettings[] = L"Settings";

}  // namespace

std::wstring ProductNameCaption(HMODULE controlModule) {
  std::wstring name;
  if (DefinitionReader::OpenOemDefinitions(controlModule).ReadString(kSettings, L"ProductName", &name) ==
      Lookup::Found) {
    return name;
  }
  return LoadResourceString(IDS_PRODUCT_NAME);
}

std::optional<std::wstring> OemCameraDisplayName(HMODULE controlModule) {
  std::wstring name;
  if (DefinitionReader::OpenOemDefinitions(controlModule).ReadString(kSettings, L"Camera.DisplayName", &name) ==
      Lookup::Found) {
    return name;
  }
  return std::nullopt;
}

common::UniqueIcon LoadVideoSettingsIcon(HMODULE controlModule) {
  return DefinitionReader::OpenSkin(controlModule).LoadIcon(L"Video.Settings", 0, 0);
}

}  // namespace portal::skin
