// Loading and releasing LTovra2.dll, and strings from it.
#include "server/ResourceModule.h"

#include "common/Module.h"
#include "common/SystemMessage.h"
#include "common/UniqueHandle.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

constexpr wchar_t kResourceModuleName[] = L"LTovra2.dll";

void ReportMissingResourceModule(const std::wstring& controlPath, const std::wstring& resourcePath,
                                 DWORD error) {
  const std::wstring text = resourcePath + L" was not found.\n\n" + common::SystemMessage(error, LANG_USER_DEFAULT);
  ::MessageBoxW(nullptr, text.c_str(), controlPath.c_str(), MB_OK | MB_ICONERROR);
}

// Windows 95 (platform 1, minor version 0) could not free the module
// safely during process detach; neither can an unknown system.
bool SystemAllowsFree() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
  return !(version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion == 0);
}

}  // namespace

HMODULE LoadResourceModule(HINSTANCE controlModule) {
  const std::wstring controlPath = common::ModuleFileName(controlModule);
  const std::wstring resourcePath = common::ModuleDirectory(controlModule) + kResourceModuleName;
  common::UniqueModule module(::LoadLibraryExW(resourcePath.c_str(), nullptr, 0));
  if (!module) {
    ReportMissingResourceModule(controlPath, resourcePath, ::GetLastError());
    return nullptr;
  }
  return module.release();
}

void FreeResourceModule(HMODULE resourceModule) {
  common::UniqueModule module(resourceModule);
  if (!SystemAllowsFree()) module.release();  // stays loaded on purpose
}

std::wstring LoadResourceString(UINT id) {
  const HMODULE module = ModuleState::ResourceModule();
  if (!module) return {};
  // With a zero size LoadString hands out the read-only resource text.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return {};
  return std::wstring(text, static_cast<std::size_t>(length));
}

}  // namespace portal
