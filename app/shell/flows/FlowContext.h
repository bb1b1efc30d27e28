// What every flow of the application needs besides the main window: the
// prompt layer, the error log, the way the program ends, the temporary
// picture and movie files and the clock for time-stamped names and
// recording times. The main window owns
// one; tests build their own with scripted prompts and scratch folders.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ErrorTracker.h"
#include "ProgramEnd.h"
#include "Prompter.h"

namespace torvane {

// The temporary picture "pic.tmp" and movie "pic.avi" in the user's
// temporary folder: ordinary users cannot create files in a drive's root.
std::wstring TemporaryPicturePath();
std::wstring TemporaryMoviePath();
SYSTEMTIME LocalTimeNow();

struct FlowContext {
  Prompter& prompter;
  ErrorTracker& errors;
  const ProgramEnd& end;
  std::wstring temporaryPicture = TemporaryPicturePath();
  std::function<SYSTEMTIME()> clock = LocalTimeNow;
  std::wstring temporaryMovie = TemporaryMoviePath();
};

}  // namespace torvane
