// Paths of loaded modules: a module's own file and the folder it lives in.
#pragma once

#include <windows.h>

#include <string>

namespace common {

std::wstring ModuleFileName(HMODULE module);
// Folder of the module with a trailing backslash.
std::wstring ModuleDirectory(HMODULE module);
// The module that contains this code (the DLL or EXE being built).
HMODULE CurrentModule();

}  // namespace common
