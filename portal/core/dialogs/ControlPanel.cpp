// The camera control panel: the applet is run through rundll32 and learns
// the camera to show from the value "CameraToSelect"; without the applet,
// or when it cannot be started, the engine shows its own camera dialog.
#include "core/dialogs/PortalLaunchers.h"

#include <versionhelpers.h>

#include "PortalContract.h"
#include "common/Registry.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineCommands.h"

namespace portal {
namespace {

constexpr wchar_t kSelectionKey[] = L"Software\\Velkor";
constexpr wchar_t kSelectionKeyClass[] = L"DEFAULT_CLASS";
constexpr wchar_t kCameraToSelect[] = L"CameraToSelect";
constexpr wchar_t kApplet[] = L"\\Vexpanel.cpl";
constexpr size_t kMaxCameraName = 255;

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

ControlPanelPaths ControlPanelPaths::OfSystem() {
  // Systems before version 5 keep rundll32 in the Windows folder.
  const std::wstring system = SystemFolder();
  return {::IsWindowsVersionOrGreater(5, 0, 0) ? system : WindowsFolder(), system, WindowsFolder()};
}

void PortalLaunchers::LaunchControlPanel() {
  ::OutputDebugStringA("CVideoPortal::ShowCameraControlPanel\tbegin");
  CameraSession& session = parts_.session;
  if (!session.HasEngine() || session.CurrentIndex() == tovra2::kNoCameraIndex) return;
  if (!StartControlPanel(CurrentCameraName())) {
    session.Engine()->ExecuteBare(engine::kCmdDialog, engine::kDialogCamera);
  }
  ::OutputDebugStringA("CVideoPortal::ShowCameraControlPanel\tend");
}

std::wstring PortalLaunchers::CurrentCameraName() {
  engine::CameraRecord camera;
  if (!parts_.session.ReadCurrentCamera(&camera)) return {};
  std::wstring name = common::AnsiToWide(common::AnsiFieldToString(camera.name, sizeof(camera.name)));
  if (name.size() > kMaxCameraName) name.resize(kMaxCameraName);
  return name;
}

// False when the applet is missing or its process could not be created.
bool PortalLaunchers::StartControlPanel(const std::wstring& cameraName) {
  const common::UniqueRegKey key =
      common::CreateRegKey(HKEY_CURRENT_USER, kSelectionKey, KEY_ALL_ACCESS, kSelectionKeyClass);
  if (key && !cameraName.empty()) common::WriteRegString(key.get(), kCameraToSelect, cameraName);
  const std::wstring applet = paths_.appletFolder + kApplet;
  if (!FileExists(applet)) return false;
  // The program is named on its own as well, so that no folder with a
  // space in its name can make the system start another program.
  const std::wstring program = paths_.rundll32Folder + L"\\rundll32.exe";
  std::wstring commandLine = program + L" shell32.dll,Control_RunDLL " + applet;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                        paths_.workingFolder.c_str(), &startup, &process)) {
    if (key) ::RegDeleteValueW(key.get(), kCameraToSelect);
    return false;
  }
  common::UniqueKernelHandle processHandle(process.hProcess);
  common::UniqueKernelHandle threadHandle(process.hThread);
  return true;
}

}  // namespace portal
