// The delayed snapshot's count-down.
#include "DelayCountdown.h"

#include "EntryChecks.h"
#include "ScheduleTime.h"

namespace torvane {

bool CheckDelayEntry(const std::wstring& text, Prompter& prompter) {
  const wchar_t* message = nullptr;
  switch (CheckWholeNumber(text, 1, 86400, true)) {
    case kEntryAcceptable:
      return true;
    case kEntryMissing:
    case kEntryNotWhole:
      message = L"Please enter a numeric value for the number of seconds delay!";
      break;
    case kEntryOutOfRange:
      message = L"Please enter a number between 1 - 86,400 for the number of seconds delay!";
      break;
    default:
      message = L"Number of seconds delay must be a whole number!";
      break;
  }
  prompter.MessBox(message, L"x", L"OK", L"Error!");
  return false;
}

void DelayCountdown::Start(const std::wstring& text, GlobalState& state, LocalSeconds now) {
  seconds_ = static_cast<long>(WholeNumberValue(text));
  start_ = now;
  captured_ = false;
  state.TickCount = 0;
}

std::wstring DelayCountdown::Text(long seconds) {
  return L"Take picture in " + std::to_wstring(seconds) + L" seconds time";
}

std::wstring DelayCountdown::StartText() const { return Text(seconds_); }

DelayCountdown::Tick DelayCountdown::OnTick(GlobalState& state, LocalSeconds now) {
  ++state.TickCount;
  Tick tick;
  tick.countdownText = Text(seconds_ - state.TickCount);
  if (!captured_ && SecondsBetween(start_, now) >= seconds_) {
    captured_ = true;
    tick.capture = true;
  }
  return tick;
}

}  // namespace torvane
