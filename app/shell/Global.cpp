// The shared state's one instance and its reset.
#include "Global.h"

namespace torvane {

GlobalState& Global() {
  static GlobalState state;
  return state;
}

LocalSeconds ToLocalSeconds(const SYSTEMTIME& localTime) {
  FILETIME fileTime{};
  if (!::SystemTimeToFileTime(&localTime, &fileTime)) return 0;
  ULARGE_INTEGER ticks;
  ticks.LowPart = fileTime.dwLowDateTime;
  ticks.HighPart = fileTime.dwHighDateTime;
  return static_cast<LocalSeconds>(ticks.QuadPart / 10000000ULL);
}

LocalSeconds NowLocalSeconds() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return ToLocalSeconds(now);
}

void ResetGlobals() {
  GlobalState& g = Global();
  g.PromptAnswer.clear();
  g.MessBoxChoice.clear();
  g.StoreFolder.clear();
  g.FilePrefix.clear();
  g.LastFileName.clear();
  g.PictureExt.clear();
  g.PopUpButton = 0;
  g.MovieRecorded = false;
  g.TimeLapseFps = 0;
  g.FrameInterval = 0;
  g.PicturesTaken = 0;
  g.TotalPictures = 0;
  g.TickCount = 0;
  g.MovieFileLength = 0;
  g.TimeLapseActive = false;
  g.MotionThreshold = 0;
  g.MotionSnap = false;
  g.MotionMovie = false;
  g.MotionAlarm = false;
  g.MotionMovieActive = false;
  g.MotionSound = 0;
  g.ElapsedSeconds.reset();
  g.MotionStart.reset();
}

}  // namespace torvane
