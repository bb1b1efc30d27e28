// A prepared control's session and movie recording on fakes: a scripted
// engine, a recording window view and notification sink, the pane bar
// stand-in and a scripted post-processor. Component tests build on it.
// Cameras(count, current) scripts a camera list: camera n is named "Cam<n>"
// with device "DEV<n>" and identifiers of its own; current < 0 means none
// is connected.
#pragma once

#include <string>
#include <vector>

#include "FakeEngine.h"
#include "FakeNotificationSink.h"
#include "FakePostProcessor.h"
#include "FakeWindowView.h"
#include "core/movies/MovieRecording.h"
#include "core/session/CameraSession.h"
#include "engine/interface/EngineCommands.h"
#include "ui/bar/PaneBar.h"

namespace testing_support {

inline engine::CameraRecord TestCamera(LONG n) {
  engine::CameraRecord record = {};
  record.size = sizeof(record);
  record.vendorId = static_cast<std::uint16_t>(100 + n);
  record.type = engine::kCameraTypeBranded;
  record.serial = static_cast<std::uint32_t>(n);
  ("Cam" + std::to_string(n)).copy(record.name, sizeof(record.name) - 1);
  ("DEV" + std::to_string(n)).copy(record.device, sizeof(record.device) - 1);
  return record;
}

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

  void Cameras(LONG count, LONG current) {
    using namespace engine;
    engine.OnInquire(kCmdCameraCount).Returns(count);
    for (LONG n = 0; n < count; ++n) engine.OnInquire(kCmdCameraRecord, n).Returns(TestCamera(n));
    engine.OnInquire(kCmdConnected).Returns(LONG{current >= 0});
    if (current < 0) return;
    engine.OnInquire(kCmdCurrentIndex).Returns(current);
    engine.OnInquire(kCmdCurrentCamera).Returns(TestCamera(current));
  }
  void Motion(LONG reporting, LONG sensitivity) {
    engine.OnInquire(engine::kCmdProperty, engine::kPropMotionReport).Returns(reporting);
    engine.OnInquire(engine::kCmdProperty, engine::kPropMotionSensitivity).Returns(sensitivity);
  }
  // Another client records.
  void Recording() {
    engine.OnInquire(engine::kCmdMovie, engine::kMovieState)
        .Returns(engine::RecordingStateRecord{sizeof(engine::RecordingStateRecord), 0, 1});
  }
  // "19=0": each property written, with its value.
  std::vector<std::string> PropertyWrites() const {
    std::vector<std::string> writes;
    for (const EngineCall& call : engine.CallsOf(EngineOp::kExecute, engine::kCmdProperty)) {
      writes.push_back(std::to_string(call.subCode) + "=" + std::to_string(call.InputAs<LONG>()));
    }
    return writes;
  }
};

}  // namespace testing_support
