// The timed sequence's runner: the dialog's one-second timer, which also
// keeps its clock, takes the pictures and finishes the sequence.
#include "Global.h"
#include "MousePointer.h"
#include "PictureFlows.h"
#include "ScheduleTime.h"
#include "SequenceRunner.h"
#include "TorvaneIds.h"
#include "frmTimedSnaps.h"

namespace torvane {

void frmTimedSnaps::Tick() {
  const SYSTEMTIME now = context_.clock();
  SetText(IDC_TS_CLOCK, L"Time now: " + ClockText(now));
  if (!running_) return;
  GlobalState& g = Global();
  const RunnerTick tick = CountRunnerTick(g, kind_, interval_, ToLocalSeconds(now));
  // Waiting for a start instant ahead is no work in progress.
  if (!tick.startReached) MousePointer::SetHourglass(false);
  if (tick.takePicture) TakeSnapShot();
  if (SequenceFinished(g)) Finish();
}

void frmTimedSnaps::TakeSnapShot() {
  GlobalState& g = Global();
  if (g.PicturesTaken < 1) {
    window_.ShowImageLabel(true);
    window_.ShowImage(true);
    window_.ShowFileName(true);
    progress_.ShowModeless(window_.OwnerWindow());
  }
  StoreTimedPicture(context_, window_, g.PictureExt);
  CountSequencePicture(g);
}

void frmTimedSnaps::Finish() {
  progress_.Unload();
  context_.prompter.MessBox(SequenceFinishedMessage(Global()), L"!", L"OK", L"OK!");
  running_ = false;
  window_.SetStatusText(2, L"");
  // A sequence of no pictures never showed the progress window.
  MousePointer::SetHourglass(false);
  Unload();
}

}  // namespace torvane
