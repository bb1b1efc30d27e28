// A fresh folder under the user's temporary folder for one test, removed
// with everything in it afterwards; and writing whole files into it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace skin_tests {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // With a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring File(std::wstring_view name) const { return path_ + std::wstring(name); }

  bool Write(std::wstring_view name, std::string_view bytes) const;
  bool CopyIn(const std::wstring& source, std::wstring_view name) const;

 private:
  std::wstring path_;
};

}  // namespace skin_tests
