// frmMain: the two movie commands, each a flow over the recording dialog.
#include "MovieFlows.h"
#include "frmMain.h"

namespace torvane {

void frmMain::RecordMovie() { MovieRecord(context_, *this, *popUp_); }

void frmMain::RecordTimeLapse() { torvane::RecordTimeLapse(context_, *this, *popUp_); }

}  // namespace torvane
