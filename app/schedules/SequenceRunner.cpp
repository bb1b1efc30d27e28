// The timed sequence's tick rules.
#include "SequenceRunner.h"

#include "ScheduleTime.h"

namespace torvane {

RunnerTick CountRunnerTick(GlobalState& state, short kind, long interval, LocalSeconds now) {
  ++state.TickCount;
  RunnerTick tick;
  if (kind == 1 || kind == 3) {
    // An empty start instant reads as the earliest date there is.
    tick.startReached = SecondsBetween(now, state.MotionStart.value_or(0)) <= 0;
    if (!tick.startReached) {
      state.TickCount = 0;
      return tick;
    }
  }
  tick.takePicture = state.TickCount > interval;
  return tick;
}

void CountSequencePicture(GlobalState& state) {
  state.TickCount = 0;
  ++state.PicturesTaken;
}

bool SequenceFinished(const GlobalState& state) { return state.PicturesTaken >= state.TotalPictures; }

std::wstring SequenceFinishedMessage(const GlobalState& state) {
  return L"Snap-shot sequence finished!\r\n\r\n" + std::to_wstring(state.PicturesTaken) + L" picture files are in " +
         state.StoreFolder;
}

}  // namespace torvane
