// What every flow of the application needs besides the main window: the
// prompt layer, the error log, the way the program ends, the temporary
// picture file and the clock for time-stamped names. The main window owns
// one; tests build their own with scripted prompts and scratch folders.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ErrorTracker.h"
#include "ProgramEnd.h"
#include "Prompter.h"

namespace torvane {

// The temporary picture: "pic.tmp" in the user's temporary folder.
std::wstring TemporaryPicturePath();
SYSTEMTIME LocalTimeNow();

struct FlowContext {
  Prompter& prompter;
  ErrorTracker& errors;
  const ProgramEnd& end;
  std::wstring temporaryPicture = TemporaryPicturePath();
  std::function<SYSTEMTIME()> clock = LocalTimeNow;
};

}  // namespace torvane
