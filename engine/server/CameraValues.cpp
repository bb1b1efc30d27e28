// Camera values and the reports of their changes.
#include "CameraValues.h"

#include "Camera.h"
#include "Engine.h"
#include "EngineCommands.h"
#include "EngineMessages.h"
#include "Session.h"

namespace engine {
namespace {

WPARAM Polling(long level) { return level != 0 ? kIndicatorPollingOn : kIndicatorPollingOff; }

}  // namespace

long CameraValue(const Camera& camera, long number) {
  if (number == static_cast<long>(kModeChangedNumber)) return camera.Mode() ? 1 : 0;
  return camera.Property(number);
}

void ChangeCameraValue(Camera& camera, long number, long value, const Session* except) {
  const long before = CameraValue(camera, number);
  if (number == static_cast<long>(kModeChangedNumber)) {
    camera.SetMode(value != 0);
    value = value != 0 ? 1 : 0;
  } else {
    camera.SetProperty(number, value);
  }
  Engine& engine = Engine::Instance();
  engine.PostToUsers(camera, kMsgPropertyChanged, static_cast<WPARAM>(number), value, except);
  if (number == kPropIndicatorLevel && (before != 0) != (value != 0)) {
    engine.PostToUsers(camera, kMsgIndicatorTimer, Polling(value), value);
  }
}

bool IsIndicatorNumber(long number) {
  return number == kPropIndicatorLevel || number == kPropIndicatorReserved ||
         number == kPropIndicatorSwitch || number == kPropIndicatorValue ||
         number == static_cast<long>(kModeChangedNumber);
}

void ReportIndicatorsTo(const Session& session) {
  if (!session.camera || session.camera->Definition().type != kCameraTypeIndicators) return;
  const long level = session.camera->Property(kPropIndicatorLevel);
  session.Post(kMsgIndicatorTimer, Polling(level), level);
}

}  // namespace engine
