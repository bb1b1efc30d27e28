// What one motion report asks the main window to do, decided from the
// shared motion-detector fields alone so the rules can be checked without
// a camera or a window.
#pragma once

#include "Global.h"

namespace torvane {

struct MotionDecision {
  bool acted = false;       // the report counts at all (MotionStart has passed)
  bool motion = false;      // above the threshold: show the image view
  bool storePicture = false;
  bool startMovie = false;
  bool playAlarm = false;
  bool stopMovie = false;   // at or below the threshold with movies wanted
};

// Reports count only once MotionStart lies in the past to the second (the
// whole seconds from now to MotionStart are below 0); a report equal to the
// threshold is no motion.
MotionDecision DecideMotion(const GlobalState& state, long value, LocalSeconds now);

}  // namespace torvane
