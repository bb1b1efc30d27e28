// The application-wide state that every form and flow shares (one instance
// for the whole program), and ResetGlobals, which returns the resettable
// fields to their empty state. The error record is never reset.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace torvane {

// A local date and time in whole seconds (local FILETIME / 10^7). Motion
// reports and timed sequences compare instants to the second.
using LocalSeconds = long long;

LocalSeconds NowLocalSeconds();
LocalSeconds ToLocalSeconds(const SYSTEMTIME& localTime);

struct GlobalState {
  // Prompts
  std::wstring PromptAnswer;   // caption of the button chosen in the last prompt
  std::wstring MessBoxChoice;  // caption of the button clicked in the prompt dialog

  // Movie and time-lapse recording
  short PopUpButton = 0;
  bool MovieRecorded = false;
  short TimeLapseFps = 0;
  short FrameInterval = 0;
  std::optional<double> ElapsedSeconds;  // empty until a recording runs
  bool TimeLapseActive = false;
  long TickCount = 0;
  long MovieFileLength = 0;

  // Stored pictures and movies
  std::wstring StoreFolder;
  std::wstring FilePrefix;
  std::wstring LastFileName;
  std::wstring PictureExt;  // ".bmp" or ".jpg"

  // Motion detector
  short MotionThreshold = 0;
  bool MotionSnap = false;
  bool MotionMovie = false;
  bool MotionAlarm = false;
  bool MotionMovieActive = false;
  short MotionSound = 0;                   // MovieRecordAudio value: 0 or -1
  std::optional<LocalSeconds> MotionStart;  // also the start of a timed sequence

  // Timed sequence. The count is 32-bit: a day of pictures a second apart
  // would overflow 16 bits.
  long PicturesTaken = 0;
  long TotalPictures = 0;

  // Error record: counted for the whole run, untouched by ResetGlobals.
  short ErrorCount = 0;
  long ErrorNumber = 0;
  std::wstring ErrorDescription;
  std::wstring ErrorProcedure;
  std::wstring ErrorDetail;
};

// The one instance.
GlobalState& Global();

void ResetGlobals();

}  // namespace torvane
