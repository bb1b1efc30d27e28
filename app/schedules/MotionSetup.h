// The motion detector set-up without its dialog: the "&Start" checks in
// their order with their messages, and the shared fields a valid set-up
// writes (threshold, prefix, actions, picture format, start instant).
#pragma once

#include <optional>
#include <string>

#include "Global.h"
#include "Prompter.h"

namespace torvane {

struct MotionEntry {
  bool snapShots = false;         // optSnapShot
  bool movieWithSound = false;    // optMovieSound
  bool movieWithoutSound = false; // optMovieNoSound
  bool alarm = false;             // chkAlarm
  bool bmp = true;                // optBmp, else optJpg
  bool startNow = false;          // chkStart
  std::wstring degree;            // txtDegree
  std::wstring minutes;           // txtMinsDelay
  std::wstring prefix;            // txtFileID
};

enum class MotionField { kSnapShots, kDegree, kMinutes, kStartNow };

// Shows the first refusal through the prompter and names the field that
// gets the focus; nothing when every check passed.
std::optional<MotionField> CheckMotionEntry(const MotionEntry& entry, Prompter& prompter);

// Writes the set-up into the shared fields; MotionSound was set by the
// option clicks. Reports count from the first whole second after
// MotionStart: now, or now plus the minutes delay.
void ApplyMotionEntry(const MotionEntry& entry, GlobalState& state, LocalSeconds now);

}  // namespace torvane
