// The motion report rules.
#include "MotionDecision.h"

namespace torvane {

MotionDecision DecideMotion(const GlobalState& state, long value, LocalSeconds now) {
  MotionDecision decision;
  // An empty MotionStart reads as the earliest date there is, which has
  // always passed.
  const LocalSeconds start = state.MotionStart.value_or(0);
  if (start - now >= 0) return decision;
  decision.acted = true;
  if (value > state.MotionThreshold) {
    decision.motion = true;
    decision.storePicture = state.MotionSnap;
    decision.startMovie = state.MotionMovie && !state.MotionMovieActive;
    decision.playAlarm = state.MotionAlarm;
  } else {
    decision.stopMovie = state.MotionMovie;
  }
  return decision;
}

}  // namespace torvane
