// The timed sequence's checks and plan.
#include "TimedSnapsChecks.h"

#include "EntryChecks.h"
#include "ScheduleTime.h"

namespace torvane {

namespace {

constexpr wchar_t kSpeedWarning[] =
    L"Warning! You have specified the number of seconds between shots as %s seconds. Are you sure that your camera "
    L"can take pictures as fast as this? \r\n\r\nDo you want to continue at this speed?";
constexpr wchar_t kConflict[] =
    L"The start time is later than the end time!\r\n\r\nIf the sequence of snaps you want to take spans more than 24 "
    L"hours, please set this up by stating a start time and the number of snaps you want to take.";

TimedSnapsOutcome Refuse(Prompter& prompter, const wchar_t* message, TimedSnapsField focus) {
  prompter.MessBox(message, L"x", L"OK", L"Error!");
  return TimedSnapsOutcome{std::nullopt, focus};
}

std::wstring SpeedWarning(const std::wstring& interval) {
  std::wstring text = kSpeedWarning;
  text.replace(text.find(L"%s"), 2, interval);
  return text;
}

// Check of one hour/minute pair; a minute without its hour defines no
// instant and is refused with the hours message.
std::optional<TimedSnapsField> CheckTimePair(const TimedSnapsEntry& entry, int pair, Prompter& prompter) {
  const auto hourField = pair == 0 ? TimedSnapsField::kStartHour : TimedSnapsField::kStopHour;
  const auto minuteField = pair == 0 ? TimedSnapsField::kStartMinute : TimedSnapsField::kStopMinute;
  const std::wstring& hour = entry.hours[pair];
  if (CheckWholeNumber(hour, 0, 23, false) != kEntryAcceptable || (hour.empty() && !entry.minutes[pair].empty())) {
    return Refuse(prompter, L"Please give time hours as a number between 0-23!", hourField).focus;
  }
  if (!hour.empty() && CheckWholeNumber(entry.minutes[pair], 0, 59, true) != kEntryAcceptable) {
    return Refuse(prompter, L"Please give time minutes as a number between 0-59!", minuteField).focus;
  }
  return std::nullopt;
}

std::optional<LocalSeconds> InstantOf(const TimedSnapsEntry& entry, int pair, LocalSeconds now) {
  if (entry.hours[pair].empty() || entry.minutes[pair].empty()) return std::nullopt;
  return NextTimeOfDay(now, static_cast<int>(WholeNumberValue(entry.hours[pair])),
                       static_cast<int>(WholeNumberValue(entry.minutes[pair])));
}

short KindOf(const TimedSnapsEntry& entry) {
  const bool counted = !entry.totalPictures.empty();
  if (entry.startOnClick) return counted ? 4 : 2;
  return counted ? 3 : 1;
}

}  // namespace

TimedSnapsOutcome CheckTimedSnaps(const TimedSnapsEntry& entry, LocalSeconds now, Prompter& prompter) {
  switch (CheckWholeNumber(entry.interval, 1, 86400, true)) {
    case kEntryAcceptable: break;
    case kEntryMissing: return Refuse(prompter, L"Please specify how many seconds between shots!", TimedSnapsField::kInterval);
    default:
      return Refuse(prompter, L"Please specify capture frequency as a whole number of seconds between 1 - 86,400!",
                    TimedSnapsField::kInterval);
  }
  const double interval = WholeNumberValue(entry.interval);
  if (interval < 5) {
    std::wstring& answer = Global().PromptAnswer;
    answer = prompter.MessBox(SpeedWarning(entry.interval), L"?", L"Y/N", L"Warning!");
    if (answer == L"&No") return TimedSnapsOutcome{std::nullopt, TimedSnapsField::kInterval};
  }
  for (int pair = 0; pair < 2; ++pair) {
    if (auto focus = CheckTimePair(entry, pair, prompter)) return TimedSnapsOutcome{std::nullopt, focus};
  }
  if (entry.hours[0].empty() && entry.minutes[0].empty() && !entry.startOnClick) {
    return Refuse(prompter, L"Please give a start time, or indicate 'start on click'!", TimedSnapsField::kStartHour);
  }
  if (entry.hours[1].empty() && entry.minutes[1].empty() && entry.totalPictures.empty()) {
    return Refuse(prompter, L"Please give an end time, or indicate total number of pictures!",
                  TimedSnapsField::kStopHour);
  }
  if (CheckWholeNumber(entry.totalPictures, 2, 0, false) != kEntryAcceptable) {
    return Refuse(prompter, L"Number of pictures must be a numeric value greater than 1!", TimedSnapsField::kTotal);
  }
  if (entry.storeFolder.empty()) {
    return Refuse(prompter, L"Please select the drive and folder where the snap-shot files are to be written!",
                  TimedSnapsField::kDrive);
  }
  TimedSnapsPlan plan;
  plan.prefix = entry.prefix;
  plan.start = InstantOf(entry, 0, now);
  plan.stop = InstantOf(entry, 1, now);
  if (plan.start && plan.stop && WholeMinutesBetween(*plan.start, *plan.stop) < 0) {
    prompter.MessBox(kConflict, L"i", L"OK", L"Possible time conflict!");
    return TimedSnapsOutcome{};
  }
  plan.pictureExt = entry.bmp ? L".bmp" : L".jpg";
  plan.kind = KindOf(entry);
  if (plan.kind == 2 || plan.kind == 4) plan.start = now;
  plan.interval = ToShortOrOverflow(interval);
  plan.total = CalculateTotalPics(plan.kind, plan.start, plan.stop, now, interval, entry.totalPictures);
  return TimedSnapsOutcome{plan, std::nullopt};
}

long CalculateTotalPics(short kind, std::optional<LocalSeconds> start, std::optional<LocalSeconds> stop,
                        LocalSeconds now, double interval, const std::wstring& totalPictures) {
  if (kind == 3 || kind == 4) return RoundHalfEven(WholeNumberValue(totalPictures));
  if (!stop || interval <= 0) return 0;
  const LocalSeconds from = kind == 1 ? start.value_or(0) : now;
  return RoundHalfEven(static_cast<double>(SecondsBetween(from, *stop)) / interval);
}

}  // namespace torvane
