// The definition keys the control itself uses: the product name for the
// caption of its message boxes, the display name an equipment maker gives
// its cameras, and the icon of the button bar's video-settings button.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/UniqueHandle.h"

namespace portal::skin {

// OEM "ProductName", else string IDS_PRODUCT_NAME of the resource module
// (empty without one).
std::wstring ProductNameCaption(HMODULE controlModule);

// OEM "Camera.DisplayName" (up to 255 characters): the name shown for
// cameras of kind 9 instead of the engine's; nothing when not given.
std::optional<std::wstring> OemCameraDisplayName(HMODULE controlModule);

// Skin "Video.Settings" icon at the system's default icon size; nothing
// when the skin gives none.
common::UniqueIcon LoadVideoSettingsIcon(HMODULE controlModule);

}  // namespace portal::skin
