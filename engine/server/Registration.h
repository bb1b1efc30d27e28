// Self-registration of the engine as a local server: /RegServer and
// /UnregServer write and remove CLSID\{...}\LocalServer32 under
// HKEY_CLASSES_ROOT (machine-wide), /RegServerUser and /UnregServerUser
// under HKEY_CURRENT_USER\Software\Classes (no administrator rights). The
// interface needs no registry entries: both sides register its
// proxy/stub in code.
#pragma once

#include <windows.h>

namespace engine {

HRESULT RegisterServer(bool perUser);
HRESULT UnregisterServer(bool perUser);

}  // namespace engine
