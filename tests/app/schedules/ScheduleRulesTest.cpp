// The schedules' rules with a fake clock and ticks: instants from typed
// times (the hour rule, midnight), totals with halves to even, the timed
// sequence's checks in order with their texts, the runner's interval + 1
// spacing, the progress bar's segments, the delay's count-down and the
// motion detector's set-up.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "DelayCountdown.h"
#include "FlowTestSupport.h"
#include "MotionSetup.h"
#include "ProgressBar.h"
#include "ScheduleTime.h"
#include "SequenceRunner.h"
#include "TimedSnapsChecks.h"

using namespace torvane;
using flow_tests::ErrorNumberOf;
using flow_tests::ScriptedPrompter;

namespace {

// The fake clock: 14 June 2025 at the given time, days later when asked.
LocalSeconds At(int hour, int minute, int second = 0, int days = 0) {
  const SYSTEMTIME time{2025, 6, 0, 14, static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
  return ToLocalSeconds(time) + days * kSecondsPerDay;
}

TEST(ScheduleTime, TypedTimesBecomeInstantsByTheHourRule) {
  const struct {
    LocalSeconds now;
    int hours, minutes;
    LocalSeconds expected;
  } cases[] = {
      {At(10, 40), 10, 15, At(10, 15)},          // earlier in the current hour: today, already reached
      {At(10, 40), 9, 59, At(9, 59, 0, 1)},      // an earlier hour: tomorrow
      {At(22, 0), 23, 0, At(23, 0)},
      {At(22, 0), 1, 0, At(1, 0, 0, 1)},         // past midnight
      {At(23, 59, 30), 0, 0, At(0, 0, 0, 1)},
      {At(0, 0), 0, 0, At(0, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, NextTimeOfDay(c.now, c.hours, c.minutes)) << c.hours << ":" << c.minutes;
  EXPECT_EQ(120, WholeMinutesBetween(NextTimeOfDay(At(22, 0), 23, 0), NextTimeOfDay(At(22, 0), 1, 0)));
  EXPECT_EQ(1, WholeHoursBetween(At(10, 59, 59), At(11, 0, 0)));
  EXPECT_EQ(L"09:05:07", ClockText(SYSTEMTIME{2025, 6, 0, 14, 9, 5, 7, 0}));
  EXPECT_EQ(6, RoundHalfEven(6.5));  // halves to the even neighbour
  EXPECT_EQ(-2, RoundHalfEven(-2.5));
  EXPECT_EQ(6, ErrorNumberOf([] { RoundHalfEven(3e9); }));
  EXPECT_EQ(6, ErrorNumberOf([] { ToShortOrOverflow(32768); }));
}

TEST(CalculateTotalPics, ByKind) {
  EXPECT_EQ(8, CalculateTotalPics(1, At(10, 0), At(10, 1), At(9, 0), 8, L""));           // 60 s / 8
  EXPECT_EQ(120, CalculateTotalPics(1, At(10, 0), At(12, 0), At(9, 0), 60, L""));        // 7200 s / 60
  EXPECT_EQ(15, CalculateTotalPics(2, std::nullopt, At(10, 30), At(10, 0), 120, L""));   // from now
  EXPECT_GE(0, CalculateTotalPics(2, std::nullopt, At(10, 40), At(10, 40, 30), 1, L""));  // stop this minute
  EXPECT_EQ(1000, CalculateTotalPics(3, At(10, 0), std::nullopt, At(9, 0), 5, L"1,000"));
  EXPECT_EQ(6, ErrorNumberOf([] { CalculateTotalPics(4, std::nullopt, std::nullopt, 0, 5, L"99999999999"); }));
}

// A valid entry the cases change: every 10 s from the click, 5 pictures.
TimedSnapsEntry OnClick() {
  TimedSnapsEntry entry;
  entry.interval = L"10";
  entry.startOnClick = true;
  entry.totalPictures = L"5";
  entry.storeFolder = L"c:\\pictures";
  return entry;
}

TEST(TimedSnapsChecks, RefusalsInOrderWithTheirFocus) {
  using F = TimedSnapsField;
  const struct {
    std::function<void(TimedSnapsEntry&)> change;
    const wchar_t* message;
    F focus;
  } cases[] = {
      {[](auto& e) { e.interval = L""; }, L"Please specify how many seconds between shots!", F::kInterval},
      {[](auto& e) { e.interval = L"5.5"; }, L"Please specify capture frequency as a whole number of seconds between 1 - 86,400!", F::kInterval},
      {[](auto& e) { e.interval = L"86,401"; }, L"Please specify capture frequency as a whole number of seconds between 1 - 86,400!", F::kInterval},
      {[](auto& e) { e.hours[0] = L"24"; }, L"Please give time hours as a number between 0-23!", F::kStartHour},
      {[](auto& e) { e.hours[0] = L"10"; }, L"Please give time minutes as a number between 0-59!", F::kStartMinute},
      {[](auto& e) { e.minutes[0] = L"15"; }, L"Please give time hours as a number between 0-23!", F::kStartHour},
      {[](auto& e) { e.hours[1] = L"x"; }, L"Please give time hours as a number between 0-23!", F::kStopHour},
      {[](auto& e) { e.hours[1] = L"11"; e.minutes[1] = L"60"; }, L"Please give time minutes as a number between 0-59!", F::kStopMinute},
      {[](auto& e) { e.minutes[1] = L"30"; }, L"Please give time hours as a number between 0-23!", F::kStopHour},
      {[](auto& e) { e.startOnClick = false; }, L"Please give a start time, or indicate 'start on click'!", F::kStartHour},
      {[](auto& e) { e.totalPictures = L""; }, L"Please give an end time, or indicate total number of pictures!", F::kStopHour},
      {[](auto& e) { e.totalPictures = L"1"; }, L"Number of pictures must be a numeric value greater than 1!", F::kTotal},
      {[](auto& e) { e.storeFolder = L""; }, L"Please select the drive and folder where the snap-shot files are to be written!", F::kDrive},
  };
  for (const auto& c : cases) {
    TimedSnapsEntry entry = OnClick();
    c.change(entry);
    ScriptedPrompter prompter;
    const TimedSnapsOutcome outcome = CheckTimedSnaps(entry, At(10, 40), prompter);
    ASSERT_EQ(1u, prompter.prompts.size()) << c.message;
    EXPECT_EQ(c.message, prompter.prompts[0].message);
    EXPECT_EQ(L"x", prompter.prompts[0].icon);
    EXPECT_EQ(L"OK", prompter.prompts[0].buttons);
    EXPECT_EQ(L"Error!", prompter.prompts[0].title);
    EXPECT_FALSE(outcome.plan) << c.message;
    EXPECT_EQ(c.focus, outcome.focus) << c.message;
  }
}

TEST(TimedSnapsChecks, SpeedQuestionBelowFiveSeconds) {
  TimedSnapsEntry entry = OnClick();
  entry.interval = L"4";
  ScriptedPrompter declined;
  declined.answers.push_back(L"&No");
  const TimedSnapsOutcome stopped = CheckTimedSnaps(entry, At(10, 40), declined);
  ASSERT_EQ(1u, declined.prompts.size());
  EXPECT_EQ(L"Warning! You have specified the number of seconds between shots as 4 seconds. Are you sure that your "
            L"camera can take pictures as fast as this? \r\n\r\nDo you want to continue at this speed?",
            declined.prompts[0].message);
  EXPECT_EQ(L"?", declined.prompts[0].icon);
  EXPECT_EQ(L"Y/N", declined.prompts[0].buttons);
  EXPECT_EQ(L"Warning!", declined.prompts[0].title);
  EXPECT_FALSE(stopped.plan);
  EXPECT_EQ(TimedSnapsField::kInterval, stopped.focus);

  ScriptedPrompter accepted;
  accepted.answers.push_back(L"&Yes");
  EXPECT_TRUE(CheckTimedSnaps(entry, At(10, 40), accepted).plan);
  entry.interval = L"5";
  ScriptedPrompter none;
  EXPECT_TRUE(CheckTimedSnaps(entry, At(10, 40), none).plan);
  EXPECT_TRUE(none.prompts.empty());
}

TEST(TimedSnapsChecks, PlansOfTheFourKinds) {
  const struct {
    const wchar_t *start[2], *stop[2];
    bool onClick;
    const wchar_t* total;
    LocalSeconds now;
    short kind;
    LocalSeconds expectedStart;
    long expectedTotal;
  } cases[] = {
      {{L"10", L"15"}, {L"11", L"00"}, false, L"", At(10, 40), 1, At(10, 15), 270},  // 45 min / 10 s
      {{L"23", L"00"}, {L"01", L"00"}, false, L"", At(22, 0), 1, At(23, 0), 720},    // over midnight
      {{L"", L""}, {L"11", L"00"}, true, L"", At(10, 40), 2, At(10, 40), 120},
      {{L"09", L"59"}, {L"", L""}, false, L"7", At(10, 40), 3, At(9, 59, 0, 1), 7},  // tomorrow
      {{L"", L""}, {L"", L""}, true, L"2", At(10, 40), 4, At(10, 40), 2},
  };
  for (const auto& c : cases) {
    TimedSnapsEntry entry = OnClick();
    entry.hours[0] = c.start[0];
    entry.minutes[0] = c.start[1];
    entry.hours[1] = c.stop[0];
    entry.minutes[1] = c.stop[1];
    entry.startOnClick = c.onClick;
    entry.totalPictures = c.total;
    entry.bmp = false;
    ScriptedPrompter prompter;
    const TimedSnapsOutcome outcome = CheckTimedSnaps(entry, c.now, prompter);
    ASSERT_TRUE(outcome.plan) << c.kind;
    EXPECT_EQ(c.kind, outcome.plan->kind);
    EXPECT_EQ(c.expectedStart, outcome.plan->start) << c.kind;
    EXPECT_EQ(c.expectedTotal, outcome.plan->total) << c.kind;
    EXPECT_EQ(10, outcome.plan->interval);
    EXPECT_EQ(L".jpg", outcome.plan->pictureExt);
  }
}

TEST(TimedSnapsChecks, TimeConflictAndAnIntervalBeyondSixteenBits) {
  TimedSnapsEntry entry = OnClick();
  entry.startOnClick = false;
  entry.hours[0] = L"11";
  entry.minutes[0] = L"00";
  entry.hours[1] = L"10";
  entry.minutes[1] = L"00";
  ScriptedPrompter prompter;
  const TimedSnapsOutcome conflict = CheckTimedSnaps(entry, At(9, 0), prompter);
  EXPECT_FALSE(conflict.plan);
  EXPECT_FALSE(conflict.focus);
  ASSERT_EQ(1u, prompter.prompts.size());
  EXPECT_EQ(L"The start time is later than the end time!\r\n\r\nIf the sequence of snaps you want to take spans more "
            L"than 24 hours, please set this up by stating a start time and the number of snaps you want to take.",
            prompter.prompts[0].message);
  EXPECT_EQ(L"i", prompter.prompts[0].icon);
  EXPECT_EQ(L"Possible time conflict!", prompter.prompts[0].title);

  // Accepted by the field check, refused by the 16-bit interval.
  TimedSnapsEntry slow = OnClick();
  slow.interval = L"40000";
  EXPECT_EQ(6, ErrorNumberOf([&] { CheckTimedSnaps(slow, At(9, 0), prompter); }));
}

// The runner under fake ticks, one second apart: the ticks at which a
// picture is stored and the tick at which the sequence finishes.
struct RunLog {
  std::vector<int> pictures;
  int finished = 0;
};

RunLog RunSequence(short kind, long interval, long total, std::optional<LocalSeconds> start, long initialTicks = 0) {
  GlobalState state;
  state.TotalPictures = total;
  state.MotionStart = start;
  state.TickCount = initialTicks;
  const LocalSeconds clicked = At(12, 0);
  RunLog log;
  for (int tick = 1; tick <= 100 && !log.finished; ++tick) {
    if (CountRunnerTick(state, kind, interval, clicked + tick).takePicture) {
      log.pictures.push_back(tick);
      CountSequencePicture(state);
    }
    if (SequenceFinished(state)) log.finished = tick;
  }
  return log;
}

TEST(SequenceRunner, PicturesAreIntervalPlusOneTicksApart) {
  RunLog two = RunSequence(4, 1, 2, At(12, 0));
  EXPECT_EQ((std::vector<int>{2, 4}), two.pictures);
  EXPECT_EQ(4, two.finished);
  EXPECT_EQ((std::vector<int>{6, 12, 18}), RunSequence(2, 5, 3, At(12, 0)).pictures);
  // Kinds 1 and 3 hold the counter until the start instant (5 s ahead).
  RunLog waiting = RunSequence(3, 3, 2, At(12, 0, 5));
  EXPECT_EQ((std::vector<int>{8, 12}), waiting.pictures);
  // A start already reached starts at once; an empty one counts as reached.
  EXPECT_EQ((std::vector<int>{4, 8}), RunSequence(1, 3, 2, At(11, 0)).pictures);
  EXPECT_EQ((std::vector<int>{4, 8}), RunSequence(3, 3, 2, std::nullopt).pictures);
  // A counter left above the interval takes the first picture at once.
  EXPECT_EQ((std::vector<int>{1, 7}), RunSequence(4, 5, 2, At(12, 0), 50).pictures);
}

TEST(SequenceRunner, ATotalOfNoPicturesFinishesAtTheFirstTick) {
  const RunLog none = RunSequence(2, 1, 0, At(12, 0));
  EXPECT_TRUE(none.pictures.empty());
  EXPECT_EQ(1, none.finished);
  GlobalState state;
  state.PicturesTaken = 2;
  state.StoreFolder = L"c:\\pictures";
  EXPECT_EQ(L"Snap-shot sequence finished!\r\n\r\n2 picture files are in c:\\pictures", SequenceFinishedMessage(state));
}

TEST(ProgressBar, SegmentsOfTrackOverTotal) {
  const struct {
    long c, T;
    double track;
    int element;
    double left, width;
    bool bordered;
  } cases[] = {
      {1, 3, 3000, 0, 0, 1000, true},
      {3, 3, 3000, 2, 2000, 1000, true},     // the bar is full
      {1, 60, 3000, 0, 0, 50, true},         // 50 twips still has its border
      {1, 100, 3000, 0, 0, 30, false},
      {5, 100, 3000, 0, 0, 150, false},      // borderless segments grow element 0
  };
  for (const auto& c : cases) {
    const std::optional<ProgressSegment> segment = SegmentFor(c.c, c.T, c.track);
    ASSERT_TRUE(segment) << c.c << "/" << c.T;
    EXPECT_EQ(c.element, segment->element) << c.c << "/" << c.T;
    EXPECT_DOUBLE_EQ(c.left, segment->left) << c.c << "/" << c.T;
    EXPECT_DOUBLE_EQ(c.width, segment->width) << c.c << "/" << c.T;
    EXPECT_EQ(c.bordered, segment->bordered) << c.c << "/" << c.T;
  }
  EXPECT_FALSE(SegmentFor(0, 3, 3000));  // before the first picture
  EXPECT_FALSE(SegmentFor(1, 0, 3000));
  EXPECT_EQ(L"Taking a snap-shot every 10 seconds...", ProgressIntervalText(10));
  EXPECT_EQ(L"2 of 5 pictures captured", ProgressCountText(2, 5));
}

TEST(DelayCountdown, EntryChecks) {
  const struct {
    const wchar_t* text;
    const wchar_t* message;  // null: accepted
  } cases[] = {
      {L"86,400", nullptr},
      {L"1", nullptr},
      {L"86400.0", L"Number of seconds delay must be a whole number!"},
      {L"-5", L"Please enter a number between 1 - 86,400 for the number of seconds delay!"},
      {L"0", L"Please enter a number between 1 - 86,400 for the number of seconds delay!"},
      {L"abc", L"Please enter a numeric value for the number of seconds delay!"},
      {L"1 0", L"Please enter a numeric value for the number of seconds delay!"},
      {L"", L"Please enter a numeric value for the number of seconds delay!"},
  };
  for (const auto& c : cases) {
    ScriptedPrompter prompter;
    EXPECT_EQ(c.message == nullptr, CheckDelayEntry(c.text, prompter)) << c.text;
    ASSERT_EQ(c.message ? 1u : 0u, prompter.prompts.size()) << c.text;
    if (!c.message) continue;
    EXPECT_EQ(c.message, prompter.prompts[0].message);
    EXPECT_EQ(L"x", prompter.prompts[0].icon);
    EXPECT_EQ(L"Error!", prompter.prompts[0].title);
  }
}

// The ticks (1-based) at which the capture is due, for ticks at the given
// seconds after the start.
std::vector<int> CaptureTicks(const wchar_t* delay, LocalSeconds start, const std::vector<int>& secondsAfter,
                              std::vector<std::wstring>* texts = nullptr) {
  GlobalState state;
  state.TickCount = 99;
  DelayCountdown countdown;
  countdown.Start(delay, state, start);
  EXPECT_EQ(0, state.TickCount);
  if (texts) texts->push_back(countdown.StartText());
  std::vector<int> captures;
  for (size_t i = 0; i < secondsAfter.size(); ++i) {
    const DelayCountdown::Tick tick = countdown.OnTick(state, start + secondsAfter[i]);
    if (texts) texts->push_back(tick.countdownText);
    if (tick.capture) captures.push_back(static_cast<int>(i) + 1);
  }
  return captures;
}

TEST(DelayCountdown, CapturesOnceWhenTheDelayHasPassed) {
  std::vector<std::wstring> texts;
  EXPECT_EQ((std::vector<int>{1}), CaptureTicks(L"1", At(10, 0), {1, 2, 3}, &texts));
  EXPECT_EQ(L"Take picture in 1 seconds time", texts[0]);
  EXPECT_EQ(L"Take picture in 0 seconds time", texts[1]);
  // Across midnight: 23:59:30 plus 60 s is 00:00:30 tomorrow.
  std::vector<int> seconds;
  for (int s = 1; s <= 62; ++s) seconds.push_back(s);
  EXPECT_EQ((std::vector<int>{60}), CaptureTicks(L"60", At(23, 59, 30), seconds));
  EXPECT_EQ(At(0, 0, 30, 1), At(23, 59, 30) + 60);
  // A busy computer: the late tick takes the one picture.
  EXPECT_EQ((std::vector<int>{2}), CaptureTicks(L"3", At(10, 0), {1, 7, 8}));
}

MotionEntry AlarmNow() {
  MotionEntry entry;
  entry.alarm = true;
  entry.startNow = true;
  entry.degree = L"30";
  return entry;
}

TEST(MotionSetup, ChecksInOrder) {
  using F = MotionField;
  const struct {
    std::function<void(MotionEntry&)> change;
    const wchar_t *message, *icon, *title;
    F focus;
  } cases[] = {
      {[](auto& e) { e.alarm = false; }, L"Please state what action you want the motion detector to take!", L"!", L"Action?", F::kSnapShots},
      {[](auto& e) { e.degree = L""; }, L"Please specify the degree of motion you wish to detect!", L"x", L"Error!", F::kDegree},
      {[](auto& e) { e.degree = L"0"; }, L"Please specify the degree of motion as a number 1 - 100!", L"x", L"Error!", F::kDegree},
      {[](auto& e) { e.degree = L"101"; }, L"Please specify the degree of motion as a number 1 - 100!", L"x", L"Error!", F::kDegree},
      {[](auto& e) { e.degree = L"5.5"; }, L"Please specify the degree of motion as a number 1 - 100!", L"x", L"Error!", F::kDegree},
      {[](auto& e) { e.degree = L"-3"; }, L"Please specify the degree of motion as a number 1 - 100!", L"x", L"Error!", F::kDegree},
      {[](auto& e) { e.minutes = L"1441"; }, L"Please specify the minutes delay as a number 1 - 1440!", L"x", L"Error!", F::kMinutes},
      {[](auto& e) { e.startNow = false; }, L"Please indicate when to start motion detector!", L"!", L"Start?", F::kStartNow},
  };
  for (const auto& c : cases) {
    MotionEntry entry = AlarmNow();
    c.change(entry);
    ScriptedPrompter prompter;
    EXPECT_EQ(c.focus, CheckMotionEntry(entry, prompter)) << c.message;
    ASSERT_EQ(1u, prompter.prompts.size()) << c.message;
    EXPECT_EQ(c.message, prompter.prompts[0].message);
    EXPECT_EQ(c.icon, prompter.prompts[0].icon);
    EXPECT_EQ(L"OK", prompter.prompts[0].buttons);
    EXPECT_EQ(c.title, prompter.prompts[0].title);
  }
  ScriptedPrompter prompter;
  EXPECT_FALSE(CheckMotionEntry(AlarmNow(), prompter)) << "only the alarm is an action";
  EXPECT_TRUE(prompter.prompts.empty());
}

TEST(MotionSetup, SharedFieldsOfAValidSetUp) {
  MotionEntry entry = AlarmNow();
  entry.snapShots = true;
  entry.bmp = false;
  entry.prefix = L"door-";
  GlobalState state;
  ApplyMotionEntry(entry, state, At(10, 0));
  EXPECT_EQ(30, state.MotionThreshold);
  EXPECT_EQ(L"door-", state.FilePrefix);
  EXPECT_EQ(L".jpg", state.PictureExt);
  EXPECT_TRUE(state.MotionSnap && state.MotionAlarm);
  EXPECT_FALSE(state.MotionMovie);
  EXPECT_EQ(At(10, 0), state.MotionStart);

  // A movie option and a delay of 10 minutes (the start box unchecked).
  MotionEntry movie = AlarmNow();
  movie.alarm = false;
  movie.movieWithoutSound = true;
  movie.startNow = false;
  movie.minutes = L"10";
  GlobalState armed;
  armed.MotionMovieActive = true;
  ApplyMotionEntry(movie, armed, At(10, 0));
  EXPECT_TRUE(armed.MotionMovie);
  EXPECT_FALSE(armed.MotionMovieActive || armed.MotionSnap || armed.MotionAlarm);
  EXPECT_EQ(At(10, 10), armed.MotionStart);
  EXPECT_TRUE(armed.PictureExt.empty());
}

}  // namespace
