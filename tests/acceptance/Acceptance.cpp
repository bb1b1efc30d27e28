// Acceptance: the per-test Torvane, its folders and the save dialog step.
#include "Acceptance.h"

#include <algorithm>

#include "FlowTestSupport.h"
#include "TorvaneIds.h"
#include "common/Module.h"
#include "common/Strings.h"

namespace acceptance {

using shell_e2e::WaitUntil;

std::wstring OutFolder() { return common::ModuleDirectory(nullptr) + L"acceptance-out\\"; }

std::wstring OutFolder(const wchar_t* name) {
  const std::wstring folder = OutFolder() + name;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (const std::wstring& file : flow_tests::FilesIn(folder)) ::DeleteFileW((folder + L"\\" + file).c_str());
  return folder;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Acceptance::SetUpTestSuite() {
  ::CreateDirectoryW(OutFolder().c_str(), nullptr);
  ::CreateDirectoryW((OutFolder() + L"shots").c_str(), nullptr);
}

void Acceptance::SetUp() {
  ASSERT_TRUE(shell_e2e::WaitForNoEngine(30000)) << "an engine of an earlier run is still serving";
  // A parameterized test's name is "<test>/<case>": one folder, not two.
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '-');
  temp_ = OutFolder() + L"temp-" + std::wstring(name.begin(), name.end());
  ::CreateDirectoryW(temp_.c_str(), nullptr);
  // Torvane's temporary picture and movie live there.
  ASSERT_TRUE(Exists(temp_)) << "no temporary folder " << common::WideToAnsi(temp_);
}

void Acceptance::TearDown() {
  user_.reset();
  torvane_.reset();  // closes Torvane, or ends it when it does not close
}

bool Acceptance::Start(const std::wstring& cameraConfig) {
  torvane_ = std::make_unique<TorvaneProcess>(std::map<std::wstring, std::wstring>{
      {L"TMP", temp_}, {L"TEMP", temp_}, {L"CAMERA_ENGINE_CONFIG", cameraConfig}, {L"TORVANE_SCENARIO_RELAY", L"1"}});
  user_ = std::make_unique<TorvaneUser>(*torvane_, OutFolder() + L"shots\\");
  return torvane_->Started();
}

void Acceptance::SaveThroughDialog(const std::wstring& path, const std::wstring& savedText, const wchar_t* shot) {
  ::DeleteFileW(path.c_str());
  HWND save = User().Dialog(L"Save Image File.");
  ASSERT_NE(nullptr, save);
  if (shot) User().Shot(save, shot);
  ASSERT_TRUE(User().SaveAs(save, path));
  EXPECT_TRUE(WaitUntil([&] { return App().ChildText(IDC_FILENAME) == savedText + path; }, 20000))
      << "the file name label does not name the saved file";
  EXPECT_TRUE(Exists(path));
}

}  // namespace acceptance
