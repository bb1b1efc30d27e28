// Programs of the camera's own software the control can start: where the
// registry says they are, and whether one runs already.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace portal {

struct RegisteredProgram {
  std::wstring path;
  std::wstring parameters;
};

// The companion program: the default value of its class key names the
// value that holds the program's path. Empty when not registered.
std::wstring RegisteredCompanion();
// The set-up wizard's App Paths entry with its "Params".
std::optional<RegisteredProgram> RegisteredSetupWizard();
// The wizard is registered and its program file is there.
bool SetupWizardInstalled();

// "C:\Folder\Name.exe" -> "Name".
std::wstring ProgramBaseName(std::wstring_view path);
// Whether a running process has the program's base name (case-insensitive).
bool ProgramRunning(std::wstring_view path);

}  // namespace portal
