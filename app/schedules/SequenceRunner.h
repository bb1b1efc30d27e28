// The running timed sequence without its windows: what each one-second
// tick does to the shared counters, when a picture is due and when the
// sequence is finished. A picture is due on the tick at which TickCount
// first exceeds the interval; storing it sets the counter back to 0, so
// pictures are interval + 1 ticks apart. Kinds 1 and 3 hold the counter
// at 0 until their start instant has been reached.
#pragma once

#include <string>

#include "Global.h"

namespace torvane {

struct RunnerTick {
  bool startReached = true;  // kinds 2 and 4 always
  bool takePicture = false;
};

RunnerTick CountRunnerTick(GlobalState& state, short kind, long interval, LocalSeconds now);
// After a picture of the sequence was stored (or attempted).
void CountSequencePicture(GlobalState& state);
bool SequenceFinished(const GlobalState& state);
// "Snap-shot sequence finished!" with the count and StoreFolder.
std::wstring SequenceFinishedMessage(const GlobalState& state);

}  // namespace torvane
