// A fresh folder under the temporary folder for one test, removed with
// everything in it at the end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

#include "common/UniqueHandle.h"

namespace testing_support {

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    for (unsigned n = ::GetTickCount();; ++n) {
      path_ = std::wstring(base) + L"torvane_test_" + std::to_wstring(::GetCurrentProcessId()) +
              L"_" + std::to_wstring(n);
      if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    for (const std::wstring& name : Files()) {
      const std::wstring file = Path(name);
      ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(file.c_str());
    }
    ::RemoveDirectoryW(path_.c_str());
  }

  // Without a trailing backslash.
  const std::wstring& Folder() const { return path_; }
  std::wstring Path(const std::wstring& name) const { return path_ + L"\\" + name; }

  std::set<std::wstring> Files() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    common::UniqueFind find(::FindFirstFileW(Path(L"*").c_str(), &data));
    if (!find) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(data.cFileName);
    } while (::FindNextFileW(find.get(), &data));
    return names;
  }
  bool OnlyFiles(const std::set<std::wstring>& expected) const { return Files() == expected; }

  std::uint64_t FileSize(const std::wstring& name) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Path(name).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  void WriteFile(const std::wstring& name, const std::string& text) const {
    common::UniqueFile file(::CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }

 private:
  std::wstring path_;
};

}  // namespace testing_support
