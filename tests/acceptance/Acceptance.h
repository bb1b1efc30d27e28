// The acceptance suite's fixture: one Torvane.exe per test with its own
// temporary folder and camera configuration, driven by a TorvaneUser; the
// output folder (pictures, movies with their expectations, screenshots)
// that the Linux-side checks read afterwards.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "TorvaneUser.h"

namespace acceptance {

std::wstring OutFolder();                       // ...\bin\acceptance-out\ (pictures at the top)
std::wstring OutFolder(const wchar_t* name);    // an emptied subfolder, no trailing backslash
bool Exists(const std::wstring& path);

class Acceptance : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Starts Torvane; an empty configuration: the engine's default camera.
  bool Start(const std::wstring& cameraConfig = L"");
  TorvaneProcess& App() { return *torvane_; }
  TorvaneUser& User() { return *user_; }
  std::wstring TempFile(const wchar_t* leaf) const { return temp_ + L"\\" + leaf; }

  // Up to the saved file: the save dialog from the answered question, the
  // name typed in, and the main window's label naming the file.
  void SaveThroughDialog(const std::wstring& path, const std::wstring& savedText, const wchar_t* shot = nullptr);

 private:
  std::wstring temp_;
  std::unique_ptr<TorvaneProcess> torvane_;
  std::unique_ptr<TorvaneUser> user_;
};

}  // namespace acceptance
