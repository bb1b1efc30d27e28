// Motion reporting paused around a change the control makes itself (a
// camera switch, a new capture size, the format sequence): the motion
// properties are saved, reporting is switched off and clients hear a
// motion value of 0; Restore writes back what was saved.
#pragma once

#include <windows.h>

#include <optional>

#include "core/NotificationSink.h"
#include "core/session/CameraSession.h"

namespace portal {

class MotionReportPause {
 public:
  MotionReportPause(CameraSession& session, NotificationSink& events) : session_(session), events_(events) {}

  // Saves properties 19 and 20, switches 19 off unless it is known to be
  // off, and fires a motion value of 0.
  void Begin();
  // Writes back the values Begin could read; once.
  void Restore();

 private:
  CameraSession& session_;
  NotificationSink& events_;
  std::optional<LONG> reporting_;
  std::optional<LONG> sensitivity_;
};

}  // namespace portal
