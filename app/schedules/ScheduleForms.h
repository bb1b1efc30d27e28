// The schedule dialogs' default instances, owned by the main window for the
// life of the program. Each is loaded when shown and loaded afresh after it
// has been unloaded.
#pragma once

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "frmDelay.h"
#include "frmMotion.h"
#include "frmProgress.h"
#include "frmTimedSnaps.h"

namespace torvane {

struct ScheduleForms {
  ScheduleForms(FlowContext& context, CaptureWindow& window)
      : delay(context, window), progress(context, window), timedSnaps(context, window, progress),
        motion(context, window) {}

  frmDelay delay;
  frmProgress progress;
  frmTimedSnaps timedSnaps;
  frmMotion motion;
};

}  // namespace torvane
