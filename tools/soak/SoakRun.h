// The soak's work for the real Torvane.exe, given as a user would through
// its dialogs: the motion detector in turn storing pictures and recording
// movies from a fast scripted motion pattern fed to its engine, then a
// timed sequence of 1,000 pictures. Each step waits within a bound and
// says what it could not do.
#pragma once

#include <windows.h>

#include <string>

#include "SoakLog.h"
#include "TorvaneProcess.h"

namespace soak {

struct SoakFolders {
  std::wstring motionPictures;  // no trailing backslash
  std::wstring motionMovies;
  std::wstring sequence;
  bool jpeg = true;  // pictures as JPEG files, else as bitmap files
};

class SoakRun {
 public:
  SoakRun(shell_e2e::TorvaneProcess& torvane, SoakLog& log, SoakFolders folders)
      : torvane_(torvane), log_(log), folders_(std::move(folders)) {}

  // One turn of the motion detector in each mode; false with the reason
  // in failure().
  bool MotionCycle(DWORD periodMs);
  // The timed sequence of `total` pictures a second apart, cancelled from
  // its progress window when it has not finished by endSeconds of the log.
  // The number it was asked for (and finished) comes back in *finished.
  bool Sequence(int total, double endSeconds, bool* finished);
  const std::string& failure() const { return failure_; }

 private:
  bool Motion(bool pictures, DWORD periodMs);
  bool StopMotion();
  bool Fail(const std::string& what);
  bool CaptureCommandsBack();

  shell_e2e::TorvaneProcess& torvane_;
  SoakLog& log_;
  SoakFolders folders_;
  std::string failure_;
};

}  // namespace soak
