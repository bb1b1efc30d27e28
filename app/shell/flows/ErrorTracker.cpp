// The error log.
#include "ErrorTracker.h"

#include <shlobj.h>

#include "ErrorLogLine.h"
#include "FileErrors.h"
#include "Global.h"
#include "common/Module.h"
#include "common/Strings.h"

namespace torvane {

namespace {

constexpr wchar_t kLogName[] = L"TorvaneError.log";

std::wstring WithoutTrailingSlash(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

}  // namespace

ErrorTracker::ErrorTracker(const std::wstring& folder, Prompter& prompter, const ProgramEnd& end,
                           const std::wstring& userFolder)
    : logPath_(WithoutTrailingSlash(folder) + L"\\" + kLogName),
      userLogPath_(userFolder.empty() ? std::wstring() : WithoutTrailingSlash(userFolder) + L"\\" + kLogName),
      prompter_(prompter),
      end_(end) {}

std::wstring ErrorTracker::ApplicationFolder() { return common::ModuleDirectory(nullptr); }

std::wstring ErrorTracker::UserLogFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return WithoutTrailingSlash(folder) + L"\\Torvane";
}

bool ErrorTracker::Create(const std::wstring& path) {
  log_.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  return log_.valid();
}

void ErrorTracker::ErrorTrack() {
  const GlobalState& g = Global();
  if (g.ErrorCount == 1) CreateLog();
  if (g.ErrorCount > kLoggedErrorLimit) Terminate();
  WriteLine(ErrorLogLine(g.ErrorCount, g.ErrorNumber, g.ErrorDescription, g.ErrorProcedure, g.ErrorDetail));
}

void ErrorTracker::CreateLog() {
  if (Create(logPath_)) return;
  const DWORD error = ::GetLastError();
  // A folder the user may not write to: the user's own folder instead.
  // When that fails too, the application folder's refusal is reported.
  if (error == ERROR_ACCESS_DENIED && !userLogPath_.empty()) {
    const std::wstring folder = userLogPath_.substr(0, userLogPath_.rfind(L'\\'));
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (Create(userLogPath_)) {
      logPath_ = userLogPath_;
      return;
    }
  }
  // An old log that cannot be replaced in place: delete it and try again.
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
    if (::DeleteFileW(logPath_.c_str())) {
      log_.reset(::CreateFileW(logPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
      if (log_) return;
    }
    FailInside(FileError(::GetLastError()));
  }
  FailInside(FileError(error));
}

void ErrorTracker::WriteLine(const std::wstring& line) {
  if (!log_) FailInside({kErrBadFileName, L"Bad file name or number"});
  const std::string bytes = common::WideToAnsi(line);
  DWORD written = 0;
  if (!::WriteFile(log_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    FailInside(FileError(::GetLastError()));
  }
}

void ErrorTracker::Terminate() {
  log_.reset();
  prompter_.MessBox(L"Sorry - Torvane has been terminated due to fatal errors.\r\n\r\n"
                    L"A log of the errors encountered has been written to " + logPath_,
                    L"x", L"OK", L"Terminated!");
  end_.Now();
}

void ErrorTracker::FailInside(const AppError& error) {
  prompter_.SystemMessage(error.MessageText() + L" ErrorTrack");
  end_.Now();
}

}  // namespace torvane
