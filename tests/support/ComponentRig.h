// A prepared control's session and movie recording on fakes: a scripted
// engine, a recording window view and notification sink, the pane bar
// stand-in and a scripted post-processor. Component tests build on it.
#pragma once

#include "FakeEngine.h"
#include "FakeNotificationSink.h"
#include "FakePostProcessor.h"
#include "FakeWindowView.h"
#include "core/movies/MovieRecording.h"
#include "core/session/CameraSession.h"
#include "ui/bar/PaneBar.h"

namespace testing_support {

struct ComponentRig {
  FakeEngine engine;
  FakeWindowView view;
  FakeNotificationSink events;
  portal::CameraSession session{view, events};
  portal::NoPaneBar bar;
  FakePostProcessor postProcessor;
  portal::MovieRecording movies{session, view, events, bar, postProcessor};

  // Prepared under the unique name; the preparation's calls are forgotten.
  explicit ComponentRig(const wchar_t* name) {
    session.Prepare(engine.NewLink(), name, std::wstring(L"Software\\") + name);
    engine.ClearCalls();
  }
};

}  // namespace testing_support
