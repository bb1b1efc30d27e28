// Temporary folders for the skin reader's tests.
#include "TempFolder.h"

#include <shellapi.h>

#include <vector>

#include "common/UniqueHandle.h"

namespace skin_tests {

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  static LONG counter = 0;
  for (;;) {
    path_ = std::wstring(temp) + L"skin" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
            std::to_wstring(::InterlockedIncrement(&counter)) + L"\\";
    if (::CreateDirectoryW(path_.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

TempFolder::~TempFolder() {
  // SHFileOperation wants a double-terminated list and no trailing slash.
  std::wstring list = path_.substr(0, path_.size() - 1);
  list.push_back(L'\0');
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = list.c_str();
  op.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&op);
}

bool TempFolder::Write(std::wstring_view name, std::string_view bytes) const {
  const common::UniqueFile file(
      ::CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool TempFolder::CopyIn(const std::wstring& source, std::wstring_view name) const {
  return ::CopyFileW(source.c_str(), File(name).c_str(), FALSE) != FALSE;
}

}  // namespace skin_tests
