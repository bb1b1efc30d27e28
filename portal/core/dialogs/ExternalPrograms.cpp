// The companion program and the set-up wizard: their registrations, the
// running-process check, and starting them.
#include "core/dialogs/ExternalPrograms.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include "common/Registry.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "core/dialogs/PortalLaunchers.h"

namespace portal {
namespace {

constexpr wchar_t kCompanionKey[] = L"CLSID\\{B4798896-FFEC-4179-BB0D-6991444871DB}";
constexpr wchar_t kWizardKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vexwiz.exe";
constexpr wchar_t kManualSwitch[] = L"/manual ";

void Run(const std::wstring& program, const std::wstring& parameters) {
  ::ShellExecuteW(nullptr, nullptr, program.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

std::wstring RegisteredCompanion() {
  const common::UniqueRegKey key = common::OpenRegKey(HKEY_CLASSES_ROOT, kCompanionKey);
  if (!key) return {};
  const std::optional<std::wstring> valueName = common::ReadRegString(key.get(), nullptr);
  if (!valueName || valueName->empty()) return {};
  return common::ReadRegString(key.get(), valueName->c_str()).value_or(std::wstring());
}

std::optional<RegisteredProgram> RegisteredSetupWizard() {
  const common::UniqueRegKey key = common::OpenRegKey(HKEY_LOCAL_MACHINE, kWizardKey);
  if (!key) return std::nullopt;
  std::optional<std::wstring> path = common::ReadRegString(key.get(), nullptr);
  if (!path || path->empty()) return std::nullopt;
  return RegisteredProgram{std::move(*path), common::ReadRegString(key.get(), L"Params").value_or(std::wstring())};
}

bool SetupWizardInstalled() {
  const std::optional<RegisteredProgram> wizard = RegisteredSetupWizard();
  if (!wizard) return false;
  const DWORD attributes = ::GetFileAttributesW(wizard->path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ProgramBaseName(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind(L'.');
  if (dot != std::wstring_view::npos) path = path.substr(0, dot);
  return std::wstring(path);
}

bool ProgramRunning(std::wstring_view path) {
  const std::wstring wanted = common::ToLower(ProgramBaseName(path));
  // A snapshot handle fails as INVALID_HANDLE_VALUE, as a file handle does.
  const common::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (common::ToLower(ProgramBaseName(entry.szExeFile)) == wanted) return true;
  }
  return false;
}

void PortalLaunchers::LaunchCompanion() {
  const std::wstring program = RegisteredCompanion();
  if (program.empty() || ProgramRunning(program)) return;
  engine::CameraRecord camera = {};
  parts_.session.ReadCurrentCamera(&camera);
  Run(program, kManualSwitch + common::AnsiToWide(common::AnsiFieldToString(camera.device, sizeof(camera.device))));
}

void PortalLaunchers::LaunchWizard() {
  if (const std::optional<RegisteredProgram> wizard = RegisteredSetupWizard()) Run(wizard->path, wizard->parameters);
}

}  // namespace portal
