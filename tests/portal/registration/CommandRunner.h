// Runs a system command (regsvr32, reg, cscript) the way a user would from
// a prompt, waits a bounded time and hands back its exit code and output.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace registration_tests {

struct CommandResult {
  DWORD exitCode = static_cast<DWORD>(-1);
  std::string output;  // standard output and standard error
};

// Nothing when the command could not be started or did not end in time.
std::optional<CommandResult> RunCommand(const std::wstring& commandLine, DWORD timeoutMs = 60000);

// "reg query <key> /v <name>" (or /ve for the default value when name is
// empty): the REG_SZ data, nothing when the key or value is missing.
std::optional<std::string> QueryRegString(const std::wstring& key, const std::wstring& name = L"");
// "reg query <key>" succeeds.
bool RegKeyExists(const std::wstring& key);
// "reg query <key> /s": the whole tree as reg prints it, empty when missing.
std::string DumpRegTree(const std::wstring& key);

// The same tree read into sub key path (relative to key, "" for key itself,
// e.g. "InprocServer32") -> value name ("" for the default) -> data.
using RegTree = std::map<std::string, std::map<std::string, std::string>>;
RegTree ReadRegTree(const std::wstring& key);

}  // namespace registration_tests
