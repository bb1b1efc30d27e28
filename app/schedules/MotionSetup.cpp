// The motion detector set-up rules.
#include "MotionSetup.h"

#include "EntryChecks.h"

namespace torvane {

std::optional<MotionField> CheckMotionEntry(const MotionEntry& entry, Prompter& prompter) {
  if (!entry.alarm && !entry.snapShots && !entry.movieWithSound && !entry.movieWithoutSound) {
    prompter.MessBox(L"Please state what action you want the motion detector to take!", L"!", L"OK", L"Action?");
    return MotionField::kSnapShots;
  }
  switch (CheckWholeNumber(entry.degree, 1, 100, true)) {
    case kEntryAcceptable:
      break;
    case kEntryMissing:
      prompter.MessBox(L"Please specify the degree of motion you wish to detect!", L"x", L"OK", L"Error!");
      return MotionField::kDegree;
    default:
      prompter.MessBox(L"Please specify the degree of motion as a number 1 - 100!", L"x", L"OK", L"Error!");
      return MotionField::kDegree;
  }
  if (CheckWholeNumber(entry.minutes, 1, 1440, false) != kEntryAcceptable) {
    prompter.MessBox(L"Please specify the minutes delay as a number 1 - 1440!", L"x", L"OK", L"Error!");
    return MotionField::kMinutes;
  }
  if (!entry.startNow && entry.minutes.empty()) {
    prompter.MessBox(L"Please indicate when to start motion detector!", L"!", L"OK", L"Start?");
    return MotionField::kStartNow;
  }
  return std::nullopt;
}

void ApplyMotionEntry(const MotionEntry& entry, GlobalState& state, LocalSeconds now) {
  state.MotionThreshold = static_cast<short>(WholeNumberValue(entry.degree));
  state.FilePrefix = entry.prefix;
  if (entry.snapShots) {
    state.PictureExt = entry.bmp ? L".bmp" : L".jpg";
    state.MotionSnap = true;
  }
  if (entry.movieWithSound || entry.movieWithoutSound) {
    state.MotionMovie = true;
    state.MotionMovieActive = false;
  }
  if (entry.alarm) state.MotionAlarm = true;
  const long long delayMinutes = entry.startNow ? 0 : static_cast<long long>(WholeNumberValue(entry.minutes));
  state.MotionStart = now + delayMinutes * 60;
}

}  // namespace torvane
