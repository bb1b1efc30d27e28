// The fixture of the end-to-end runs of the real Torvane.exe: an output
// folder for the Linux-side checks, a temporary folder per test, the
// environment Torvane starts in, and the instant snapshot's steps.
#pragma once

#include <gtest/gtest.h>

#include <objbase.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CameraEngine.h"
#include "EngineCommands.h"
#include "EngineLaunch.h"
#include "TorvaneIds.h"
#include "TorvaneProcess.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"
#include "common/Module.h"

namespace shell_e2e {


constexpr long kBitmapBytes320x240 = 54 + 320 * 240 * 3;  // the camera's default size

inline std::wstring OutFolder() { return common::ModuleDirectory(nullptr) + L"e2e-out\\"; }

inline bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::vector<unsigned char> ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The process id of the running camera engine (the one Torvane uses); 0
// when none answers. The test's own engine object is released again.
inline DWORD RunningEngineProcessId() {
  common::ComPtr<ICameraEngine> engine;
  if (FAILED(CreateCameraEngine(engine.put()))) return 0;
  LONG id = 0;
  const HRESULT hr = engine->Inquire(engine::kCmdProcessId, 0, 0, nullptr, 0, reinterpret_cast<BYTE*>(&id), sizeof(id));
  return SUCCEEDED(hr) ? static_cast<DWORD>(id) : 0;
}

class TorvaneEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    com_.emplace(COINIT_APARTMENTTHREADED);
    ::CreateDirectoryW(OutFolder().c_str(), nullptr);
  }
  static void TearDownTestSuite() { com_.reset(); }
  static inline std::optional<common::ComInit> com_;

  void SetUp() override {
    ASSERT_TRUE(WaitForNoEngine(30000)) << "an engine of an earlier run is still serving";
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    temp_ = OutFolder() + L"temp-" + std::wstring(name.begin(), name.end());
    ::CreateDirectoryW(temp_.c_str(), nullptr);
    ::DeleteFileW(TempPicture().c_str());
  }

  std::map<std::wstring, std::wstring> Environment(const std::wstring& cameraConfig = L"") const {
    // An empty value: the engine's own default camera.
    // The scenario relay lets a test feed the engine of this Torvane.
    return {{L"TMP", temp_},
            {L"TEMP", temp_},
            {L"CAMERA_ENGINE_CONFIG", cameraConfig},
            {L"TORVANE_SCENARIO_RELAY", L"1"}};
  }
  std::wstring TempPicture() const { return temp_ + L"\\pic.tmp"; }

  // Button 1 up to the save prompt, which it answers; the prompt is left
  // for the caller when answer is 0.
  HWND SnapshotUpToSavePrompt(TorvaneProcess& torvane) {
    torvane.Command(IDT_BUTTON1);
    HWND prompt = torvane.WaitForDialog(L"Save?");
    if (!prompt) return nullptr;
    EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image' window?",
              TorvaneProcess::PromptMessage(prompt));
    EXPECT_TRUE(Exists(TempPicture()));
    EXPECT_TRUE(torvane.ChildVisible(IDC_SNAPSHOT));
    return prompt;
  }

  void SaveSnapshotAs(TorvaneProcess& torvane, const std::wstring& path) {
    ::DeleteFileW(path.c_str());
    HWND prompt = SnapshotUpToSavePrompt(torvane);
    ASSERT_NE(nullptr, prompt);
    TorvaneProcess::Press(prompt, IDOK);  // "&Yes"
    HWND save = torvane.WaitForDialog(L"Save Image File.");
    ASSERT_NE(nullptr, save);
    TorvaneProcess::SaveAs(save, path);
    ASSERT_TRUE(WaitUntil([&] { return torvane.ChildText(IDC_FILENAME) == L"This picture saved to " + path; },
                          20000))
        << "the file name label does not name the saved file";
    EXPECT_TRUE(torvane.ChildVisible(IDC_FILENAME));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(TempPicture()); }, 5000)) << "temporary picture left behind";
  }

  std::wstring temp_;
};

inline void ExpectBitmap320x240(const std::vector<unsigned char>& bytes) {
  ASSERT_EQ(static_cast<size_t>(kBitmapBytes320x240), bytes.size());
  EXPECT_EQ('B', bytes[0]);
  EXPECT_EQ('M', bytes[1]);
  EXPECT_EQ(320, bytes[18] | bytes[19] << 8);
  EXPECT_EQ(240, bytes[22] | bytes[23] << 8);
  EXPECT_EQ(24, bytes[28]);
}

}  // namespace shell_e2e
