// The launchers with real programs: a test "Vexpanel.cpl" in the system
// folder run through rundll32, and a recorder program registered as the
// companion program and as the set-up wizard; each records its command
// line. The engine is a fake that knows the connected camera.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include "LaunchRecord.h"
#include "ComponentRig.h"
#include "TempFolder.h"
#include "common/Registry.h"
#include "core/dialogs/ExternalPrograms.h"
#include "core/dialogs/PortalLaunchers.h"

namespace {

using namespace testing_support;

// Registered through HKEY_CLASSES_ROOT itself: Windows also reads a
// per-user registration (HKCU\Software\Classes) there, Wine 8 does not.
constexpr wchar_t kCompanionKey[] = L"CLSID\\{B4798896-FFEC-4179-BB0D-6991444871DB}";
constexpr wchar_t kWizardKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vexwiz.exe";
constexpr wchar_t kProgramName[] = L"TorvaneCompanionProbe.exe";

std::wstring Folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t folder[MAX_PATH] = {};
  return std::wstring(folder, get(folder, MAX_PATH));
}

std::wstring BesideTest(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring self(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.rfind(L'\\') + 1) + name;
}

std::optional<std::wstring> CameraToSelect() {
  const common::UniqueRegKey key = common::OpenRegKey(HKEY_CURRENT_USER, L"Software\\Velkor");
  return key ? common::ReadRegString(key.get(), L"CameraToSelect") : std::nullopt;
}

std::vector<DWORD> RunningPrograms() {
  std::vector<DWORD> ids;
  common::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {sizeof(entry)};
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (::lstrcmpiW(entry.szExeFile, kProgramName) == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

class Launchers : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(kLaunchRecordVariable, record_.c_str());
    ASSERT_TRUE(::CopyFileW(BesideTest(L"launch_recorder.exe").c_str(), program_.c_str(), FALSE));
    rig_.Cameras(2, 1);
  }
  void TearDown() override {
    common::UniqueKernelHandle quit(::CreateEventW(nullptr, TRUE, FALSE, kLaunchRecorderQuitEvent));
    ::SetEvent(quit.get());
    for (DWORD id : RunningPrograms()) {
      common::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
      ::WaitForSingleObject(process.get(), 10000);
    }
    common::DeleteRegTree(HKEY_CLASSES_ROOT, kCompanionKey);
    common::DeleteRegTree(HKEY_LOCAL_MACHINE, kWizardKey);
    const common::UniqueRegKey velkor = common::OpenRegKey(HKEY_CURRENT_USER, L"Software\\Velkor", KEY_SET_VALUE);
    if (velkor) ::RegDeleteValueW(velkor.get(), L"CameraToSelect");
  }
  std::vector<std::string> Recorded() {  // waits for the first line
    for (DWORD start = ::GetTickCount(); ReadLaunchRecord(record_).empty() && ::GetTickCount() - start < 10000;) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return ReadLaunchRecord(record_);
  }
  // The key's default value and one named value.
  void Register(HKEY root, const wchar_t* key, const std::wstring& byDefault, const wchar_t* name,
                const std::wstring& value) {
    const common::UniqueRegKey opened = common::CreateRegKey(root, key);
    common::WriteRegString(opened.get(), nullptr, byDefault);
    common::WriteRegString(opened.get(), name, value);
  }
  size_t EngineDialogs() const { return rig_.engine.CallsOf(EngineOp::kExecute, engine::kCmdDialog).size(); }

  TempFolder folder_;
  const std::wstring record_ = folder_.Path(L"launches.txt");
  const std::wstring program_ = folder_.Path(kProgramName);
  ComponentRig rig_{L"LaunchersTest"};
  portal::PortalLaunchers launchers_{{rig_.session, rig_.bar, rig_.view, rig_.events}};
};

TEST_F(Launchers, ControlPanelRunsTheAppletForTheConnectedCamera) {
  const std::wstring system = Folder(::GetSystemDirectoryW);
  const std::wstring applet = system + L"\\Vexpanel.cpl";
  ASSERT_TRUE(::CopyFileW(BesideTest(L"Vexpanel.cpl").c_str(), applet.c_str(), FALSE));
  launchers_.LaunchControlPanel();
  const std::vector<std::string> lines = Recorded();
  ::DeleteFileW(applet.c_str());
  EXPECT_EQ(std::vector<std::string>{common::WideToAnsi(L"applet|" + system +
                                                        L"\\rundll32.exe shell32.dll,Control_RunDLL " + applet +
                                                        L"|Cam1")},
            lines);
  EXPECT_EQ(L"Cam1", CameraToSelect().value_or(L""));
  EXPECT_EQ(0u, EngineDialogs());
}

TEST_F(Launchers, ControlPanelFallsBackToTheEngineDialog) {
  for (bool appletThere : {false, true}) {
    SCOPED_TRACE(appletThere ? "rundll32 cannot be started" : "applet missing");
    TempFolder applets, noPrograms;
    if (appletThere) applets.WriteFile(L"Vexpanel.cpl", "not run");
    launchers_.SetControlPanelPaths({noPrograms.Folder(), applets.Folder(), Folder(::GetWindowsDirectoryW)});
    rig_.engine.ClearCalls();
    launchers_.LaunchControlPanel();
    EXPECT_EQ(1u, EngineDialogs());
    EXPECT_EQ(appletThere ? std::nullopt : std::optional<std::wstring>(L"Cam1"), CameraToSelect());
  }
}

TEST_F(Launchers, CompanionStartsOnceWithTheCamerasDeviceString) {
  launchers_.LaunchCompanion();  // not registered: nothing
  Register(HKEY_CLASSES_ROOT, kCompanionKey, L"Program", L"Program", program_);
  launchers_.LaunchCompanion();
  const std::vector<std::string> lines = Recorded();
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ("recorder|\"" + common::WideToAnsi(program_) + "\" /manual DEV1", lines[0]);
  launchers_.LaunchCompanion();  // running: not again, under any letter case
  Register(HKEY_CLASSES_ROOT, kCompanionKey, L"Other", L"Other", folder_.Path(L"TORVANECOMPANIONPROBE.EXE"));
  launchers_.LaunchCompanion();
  EXPECT_EQ(1u, RunningPrograms().size());
  EXPECT_EQ(1u, ReadLaunchRecord(record_).size());
  EXPECT_EQ(L"TorvaneCompanionProbe", portal::ProgramBaseName(L"C:/a.b\\TorvaneCompanionProbe.exe"));
}

TEST_F(Launchers, WizardStartsWithItsParameters) {
  launchers_.LaunchWizard();  // not registered: nothing
  Register(HKEY_LOCAL_MACHINE, kWizardKey, program_, L"Params", L"/setup quiet");
  launchers_.LaunchWizard();
  const std::vector<std::string> lines = Recorded();
  EXPECT_EQ(std::vector<std::string>{"recorder|\"" + common::WideToAnsi(program_) + "\" /setup quiet"}, lines);
}

}  // namespace
