// The recording dialog's timer.
#include "RecordingTimer.h"

#include "PopUpRules.h"

namespace torvane {

void RecordingTimer::Start(LocalSeconds now) {
  start_ = now;
  frames_ = 0;
}

RecordingTimer::Tick RecordingTimer::OnTick(GlobalState& state, LocalSeconds now) {
  Tick tick;
  if (state.MovieRecorded) {
    state.ElapsedSeconds = static_cast<double>(now - start_);
    tick.elapsedText = L"Movie has been recording for " + SecondsText(state.ElapsedSeconds) + L" seconds";
    tick.sizeText = EstimatedSizeText(*state.ElapsedSeconds);
  }
  if (state.TimeLapseActive) {
    ++state.TickCount;
    if (state.TickCount > state.FrameInterval) {
      state.TickCount = 0;
      ++frames_;
      tick.addFrame = true;
      tick.frameText = L"Number of frames captured: " + std::to_wstring(frames_);
    }
  }
  // The sign shows its first frame on the ticks at which the phase was clear.
  tick.firstSignFrame = !blinkPhase_;
  blinkPhase_ = !blinkPhase_;
  return tick;
}

}  // namespace torvane
