// The delayed snapshot's count-down without its window: the check of the
// typed delay, the count-down texts and the one tick at which the picture
// is due. Time comes in from the caller (the flows' clock in the form, a
// fake clock in tests).
#pragma once

#include <string>

#include "Global.h"
#include "Prompter.h"

namespace torvane {

// Checks the delay text (1 to 86,400 seconds, commas allowed); on a fault
// shows its message (icon "x", "OK", "Error!") and returns false.
bool CheckDelayEntry(const std::wstring& text, Prompter& prompter);

class DelayCountdown {
 public:
  // After a valid entry: records the start instant and sets TickCount to 0.
  void Start(const std::wstring& text, GlobalState& state, LocalSeconds now);
  long Seconds() const { return seconds_; }
  // "Take picture in N seconds time" with N the delay or what is left of it.
  std::wstring StartText() const;

  struct Tick {
    std::wstring countdownText;
    bool capture = false;  // true once: the first tick at which N seconds have passed
  };
  // Counts the tick in TickCount; elapsed time is measured on the full date
  // and time, so a delay may run past midnight.
  Tick OnTick(GlobalState& state, LocalSeconds now);

 private:
  static std::wstring Text(long seconds);

  long seconds_ = 0;
  LocalSeconds start_ = 0;
  bool captured_ = false;
};

}  // namespace torvane
