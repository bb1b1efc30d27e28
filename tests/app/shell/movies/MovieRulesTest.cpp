// The recording dialog's rules with a fake clock: the "#,###,###" format,
// elapsed seconds past midnight, and time-lapse frames interval + 1 ticks
// apart.
#include <gtest/gtest.h>

#include <vector>

#include "FlowTestSupport.h"
#include "PopUpRules.h"
#include "RecordingTimer.h"
#include "ThousandsFormat.h"

using namespace torvane;

namespace {

LocalSeconds At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  return ToLocalSeconds(flow_tests::LocalTime(year, month, day, hour, minute, second));
}

}  // namespace

TEST(MovieRules, ThousandsFormatAndSizes) {
  const struct {
    double value;
    const wchar_t* text;
  } cases[] = {{0, L""},           {0.49, L""},         {0.5, L"1"},              {313.233, L"313"},
               {3132.33, L"3,132"}, {999999.5, L"1,000,000"}, {1234567890, L"1,234,567,890"}, {-1500.2, L"-1,500"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, FormatThousands(c.value)) << c.value;
  EXPECT_EQ(L"Size of movie file:  kb", RecordedSizeText(511));  // no kb at all
  EXPECT_EQ(L"Size of movie file: 2,097,152 kb", RecordedSizeText(0x80000000LL));
}

TEST(MovieRules, MovieTimeCountsPastMidnight) {
  GlobalState state;
  state.MovieRecorded = true;
  RecordingTimer timer;
  timer.Start(At(2024, 12, 31, 23, 59, 58));
  const RecordingTimer::Tick tick = timer.OnTick(state, At(2025, 1, 1, 0, 0, 1));
  EXPECT_EQ(3.0, state.ElapsedSeconds.value_or(-1));
  EXPECT_EQ(L"Movie has been recording for 3 seconds", tick.elapsedText.value_or(L""));
  EXPECT_EQ(L"Size of movie file: 940 kb", tick.sizeText.value_or(L""));
  EXPECT_FALSE(tick.addFrame);
  EXPECT_EQ(0, state.TickCount) << "a movie counts no ticks";
}

TEST(MovieRules, TimeLapseFramesAreIntervalPlusOneTicksApart) {
  const struct {
    short interval;
    long tickCountBefore;         // left by another timer: not cleared at the start
    std::vector<int> frameTicks;  // among ticks 1-12
  } cases[] = {{1, 0, {2, 4, 6, 8, 10, 12}}, {5, 0, {6, 12}}, {5, 7, {1, 7}}, {5, 5, {1, 7}}, {20, 0, {}}};
  for (const auto& c : cases) {
    GlobalState state;
    state.TimeLapseActive = true;
    state.FrameInterval = c.interval;
    state.TickCount = c.tickCountBefore;
    RecordingTimer timer;
    timer.Start(At(2024, 12, 2, 10, 0, 0));
    std::vector<int> frameTicks;
    for (int i = 1; i <= 12; ++i) {
      const RecordingTimer::Tick tick = timer.OnTick(state, At(2024, 12, 2, 10, 0, static_cast<WORD>(i)));
      EXPECT_FALSE(tick.elapsedText || tick.sizeText);
      if (!tick.addFrame) continue;
      frameTicks.push_back(i);
      EXPECT_EQ(L"Number of frames captured: " + std::to_wstring(frameTicks.size()), tick.frameText);
    }
    EXPECT_EQ(c.frameTicks, frameTicks) << "interval " << c.interval << ", TickCount " << c.tickCountBefore;
  }
}
