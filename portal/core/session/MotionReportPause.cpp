// Pausing motion reporting around the control's own changes.
#include "core/session/MotionReportPause.h"

#include "PortalContract.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

using engine::kPropMotionReport;
using engine::kPropMotionSensitivity;

void MotionReportPause::Begin() {
  LONG value = 0;
  if (session_.ReadProperty(kPropMotionReport, &value)) reporting_ = value;
  if (session_.ReadProperty(kPropMotionSensitivity, &value)) sensitivity_ = value;
  if (reporting_ != 0L) session_.WriteProperty(kPropMotionReport, 0);
  events_.Notify(tovra2::kNotifyMotion, 0, 0, 0);
}

void MotionReportPause::Restore() {
  if (reporting_) session_.WriteProperty(kPropMotionReport, *reporting_);
  if (sensitivity_) session_.WriteProperty(kPropMotionSensitivity, *sensitivity_);
  reporting_.reset();
  sensitivity_.reset();
}

}  // namespace portal
