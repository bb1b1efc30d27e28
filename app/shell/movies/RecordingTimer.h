// What the recording dialog's one-second timer does, without its window:
// the elapsed seconds and size estimate of a movie, the frames of a
// time-lapse movie (one on every tick at which TickCount, shared with the
// schedules, first exceeds FrameInterval, so frames are interval + 1 ticks
// apart), and the phase of the blinking "recording" sign. The time comes
// from the caller, measured on the full date and time so that a recording
// may run past midnight.
#pragma once

#include <optional>
#include <string>

#include "Global.h"

namespace torvane {

class RecordingTimer {
 public:
  // Recording starts: the start instant, no frames captured yet.
  void Start(LocalSeconds now);
  LocalSeconds StartTime() const { return start_; }
  long FramesCaptured() const { return frames_; }

  struct Tick {
    std::optional<std::wstring> elapsedText;  // lblElapsed, shown
    std::optional<std::wstring> sizeText;     // lblLOF
    bool addFrame = false;                    // StepCaptureAddFrame, then lblElapsed = frameText
    std::wstring frameText;
    bool firstSignFrame = false;              // imgSnap(0) shown and imgSnap(1) hidden, or the reverse
  };
  // One tick: updates ElapsedSeconds (movies) and TickCount (time-lapse
  // movies) in state.
  Tick OnTick(GlobalState& state, LocalSeconds now);

 private:
  LocalSeconds start_ = 0;
  long frames_ = 0;
  bool blinkPhase_ = false;
};

}  // namespace torvane
