// LTovra2.dll, the localized resource module beside the control: strings,
// menus, dialogs and pictures are looked up there by number.
#pragma once

#include <windows.h>

#include <string>

namespace portal {

// Loads "LTovra2.dll" from the folder of controlModule. When it is missing,
// tells the user once (message box, error icon, no owner) and returns
// nullptr; the control then works without texts.
HMODULE LoadResourceModule(HINSTANCE controlModule);
void FreeResourceModule(HMODULE resourceModule);

// String id from the resource module; empty when the module or the
// string is missing.
std::wstring LoadResourceString(UINT id);

}  // namespace portal
