// Helpers of the flow tests.
#include "FlowTestSupport.h"

#include <algorithm>
#include <cwctype>

#include "AppError.h"
#include "Form.h"
#include "common/UniqueHandle.h"

namespace flow_tests {

std::wstring ScriptedPrompter::MessBox(const std::wstring& message, const std::wstring& icon,
                                       const std::wstring& buttons, const std::wstring& title) {
  prompts.push_back({message, icon, buttons, title});
  if (answers.empty()) return L"&OK";
  std::wstring answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::wstring> ScriptedPrompter::SaveFileName(const torvane::SaveDialogRequest& request) {
  saveRequests.push_back(request);
  if (saveNames.empty()) return std::nullopt;
  std::optional<std::wstring> name = saveNames.front();
  saveNames.pop_front();
  return name;
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + L"flows-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  for (const std::wstring& name : Files()) {
    const std::wstring file = File(name);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileW(file.c_str())) ::RemoveDirectoryW(file.c_str());
  }
  ::RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> ScratchFolder::Files() const { return FilesIn(path_); }

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  common::UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

bool IsTimeStampedName(const std::wstring& name, const std::wstring& prefix, const std::wstring& extension) {
  if (name.size() != prefix.size() + 14 + extension.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  for (size_t i = prefix.size(); i < prefix.size() + 14; ++i) {
    if (!std::iswdigit(name[i])) return false;
  }
  return name.compare(prefix.size() + 14, extension.size(), extension) == 0;
}

long ErrorNumberOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const torvane::AppError& error) {
    return error.number;
  }
  return 0;
}

void PumpMessages(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (torvane::Form::PreTranslate(&msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (::GetTickCount() - start < ms);
}

std::string ReadFileBytes(const std::wstring& path) {
  common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  common::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));  // an unterminated rest
  return lines;
}

}  // namespace flow_tests
