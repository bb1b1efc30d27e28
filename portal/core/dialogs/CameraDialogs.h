// ShowCameraDlg: the engine's camera dialog, the camera control panel, or
// the control's own format sequence.
#pragma once

#include <windows.h>

#include "core/dialogs/Launchers.h"
#include "core/session/CameraSession.h"

namespace portal {

class CameraDialogs {
 public:
  CameraDialogs(CameraSession& session, Launchers& launchers) : session_(session), launchers_(launchers) {}

  // which: a tovra2::CameraDialog, or any other value for the format
  // sequence. The engine's dialog and the control panel report success
  // even when nothing could be shown; only the format sequence can refuse.
  bool Show(LONG which);

 private:
  CameraSession& session_;
  Launchers& launchers_;
};

}  // namespace portal
