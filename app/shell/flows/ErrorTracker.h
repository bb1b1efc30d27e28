// ErrorTrack and its log "TorvaneError.log" in the application's folder.
// The first tracked error of a run creates the log (replacing an old one)
// and it stays open until the program ends; errors 1-25 add one line each;
// the 26th closes the log, shows "Terminated!" and ends the program. A
// failure of the log itself shows a plain message box ending in
// " ErrorTrack" and ends the program.
// An application folder the user may not write to (Program Files for an
// installation for all users) would end the program at its first tracked
// error: the log then goes, under the same name, into the user's folder
// for the program (UserLogFolder), and the paths shown name that file.
#pragma once

#include <string>

#include "AppError.h"
#include "Prompter.h"
#include "ProgramEnd.h"
#include "common/UniqueHandle.h"

namespace torvane {

class ErrorTracker {
 public:
  static constexpr short kLoggedErrorLimit = 25;

  // folder: the application's folder (with or without a trailing "\");
  // userFolder: where the log goes when that folder refuses it (made when
  // needed, its parent must exist).
  ErrorTracker(const std::wstring& folder, Prompter& prompter, const ProgramEnd& end,
               const std::wstring& userFolder = UserLogFolder());
  // The application's folder: the folder of the program file.
  static std::wstring ApplicationFolder();
  // "<the user's local application data>\Torvane".
  static std::wstring UserLogFolder();

  const std::wstring& LogPath() const { return logPath_; }

  // Reads the error record of Global() (filled by the caller) and logs it.
  void ErrorTrack();

 private:
  void CreateLog();
  void WriteLine(const std::wstring& line);
  [[noreturn]] void Terminate();
  [[noreturn]] void FailInside(const AppError& error);

  bool Create(const std::wstring& path);

  std::wstring logPath_;
  std::wstring userLogPath_;
  Prompter& prompter_;
  const ProgramEnd& end_;
  common::UniqueFile log_;
};

}  // namespace torvane
