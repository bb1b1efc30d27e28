// The main window's pure rules: twips to pixels, the help button's place,
// the motion report decisions, the shared reset and the menu help topics.
#include <gtest/gtest.h>

#include "Global.h"
#include "MainLayout.h"
#include "MenuHelp.h"
#include "MotionDecision.h"
#include "TorvaneIds.h"

namespace torvane {
namespace {

TEST(MainLayout, TwipsFollowTheScreenDpi) {
  EXPECT_EQ(96, TwipsToPixels(1440, 96));
  EXPECT_EQ(120, TwipsToPixels(1440, 120));
  EXPECT_EQ(333, TwipsToPixels(5000, 96));  // status panel 1
  EXPECT_EQ(7, TwipsToPixels(100, 96));     // window position, rounded
  EXPECT_EQ(0, TwipsToPixels(0, 144));
  // Neighbouring rectangles share their edge whatever the rounding.
  const RECT a = ToPixels(TwipsRect{0, 0, 1007, 100}, 120, 120);
  const RECT b = ToPixels(TwipsRect{1007, 0, 500, 100}, 120, 120);
  EXPECT_EQ(a.right, b.left);
  const RECT offset = ToPixels(MainDesign::kLiveView, 96, 96, 40);
  EXPECT_EQ(40 + TwipsToPixels(MainDesign::kLiveView.top, 96), offset.top);
}

TEST(MainLayout, HelpButtonSits100TwipsRightOfButton6) {
  const RECT button6{300, 2, 380, 52};
  RECT place = HelpButtonPlace(button6, 96, 96);
  EXPECT_EQ(380 + 7, place.left);
  EXPECT_EQ(TwipsToPixels(MainDesign::kHelpButtonWidth, 96), place.right - place.left);
  EXPECT_NEAR(27, (place.top + place.bottom) / 2, 1);  // centred on the button
  place = HelpButtonPlace(button6, 192, 192);
  EXPECT_EQ(380 + 13, place.left);
}

GlobalState Detector(short threshold, bool snap, bool movie, bool alarm) {
  GlobalState state;
  state.MotionThreshold = threshold;
  state.MotionSnap = snap;
  state.MotionMovie = movie;
  state.MotionAlarm = alarm;
  state.MotionStart = 1000;
  return state;
}

TEST(MotionDecision, ReportsCountOnlyOnceMotionStartHasPassedToTheSecond) {
  const GlobalState state = Detector(10, true, true, true);
  EXPECT_FALSE(DecideMotion(state, 90, 999).acted);   // still in the future
  EXPECT_FALSE(DecideMotion(state, 90, 1000).acted);  // now is not the past
  const MotionDecision later = DecideMotion(state, 90, 1001);
  EXPECT_TRUE(later.acted);
  EXPECT_TRUE(later.motion && later.storePicture && later.startMovie && later.playAlarm);
  GlobalState empty = state;
  empty.MotionStart.reset();  // an empty start lies in the distant past
  EXPECT_TRUE(DecideMotion(empty, 90, 1).acted);
}

TEST(MotionDecision, ThresholdIsNoMotionAndStopsTheMovie) {
  GlobalState state = Detector(40, true, true, true);
  const MotionDecision equal = DecideMotion(state, 40, 2000);
  EXPECT_TRUE(equal.acted);
  EXPECT_FALSE(equal.motion || equal.storePicture || equal.startMovie || equal.playAlarm);
  EXPECT_TRUE(equal.stopMovie);
  state.MotionMovie = false;
  EXPECT_FALSE(DecideMotion(state, 0, 2000).stopMovie);
  EXPECT_TRUE(DecideMotion(state, 41, 2000).motion);
}

TEST(MotionDecision, RunningMovieIsNotStartedAgainAndChoicesAreIndependent) {
  GlobalState state = Detector(5, false, true, false);
  state.MotionMovieActive = true;
  const MotionDecision second = DecideMotion(state, 50, 2000);
  EXPECT_TRUE(second.motion);
  EXPECT_FALSE(second.startMovie || second.storePicture || second.playAlarm || second.stopMovie);
  const MotionDecision alarmOnly = DecideMotion(Detector(5, false, false, true), 50, 2000);
  EXPECT_TRUE(alarmOnly.playAlarm);
  EXPECT_FALSE(alarmOnly.storePicture || alarmOnly.startMovie);
}

TEST(Global, ResetClearsSharedFieldsButNotTheErrorRecord) {
  GlobalState& g = Global();
  g.PromptAnswer = L"&Yes";
  g.StoreFolder = L"c:\\pics";
  g.PictureExt = L".jpg";
  g.MotionThreshold = 30;
  g.MotionMovieActive = true;
  g.MotionStart = 12345;
  g.ElapsedSeconds = 3.0;
  g.TotalPictures = 99;
  g.ErrorCount = 4;
  g.ErrorDescription = L"kept";
  ResetGlobals();
  EXPECT_TRUE(g.PromptAnswer.empty() && g.StoreFolder.empty() && g.PictureExt.empty());
  EXPECT_EQ(0, g.MotionThreshold);
  EXPECT_FALSE(g.MotionMovieActive);
  EXPECT_FALSE(g.MotionStart.has_value());
  EXPECT_FALSE(g.ElapsedSeconds.has_value());
  EXPECT_EQ(0, g.TotalPictures);
  EXPECT_EQ(4, g.ErrorCount);
  EXPECT_EQ(L"kept", g.ErrorDescription);
}

TEST(Global, LocalSecondsCountWholeSeconds) {
  SYSTEMTIME a{2026, 12, 1, 7, 23, 59, 59, 999};
  SYSTEMTIME b{2026, 12, 1, 8, 0, 0, 0, 0};
  EXPECT_EQ(1, ToLocalSeconds(b) - ToLocalSeconds(a));
}

TEST(MenuHelp, FileMenuTopics) {
  EXPECT_EQ(30u, MenuHelpContext(IDM_SNAPSHOT));
  EXPECT_EQ(15u, MenuHelpContext(IDM_TIMELAPSE));
  EXPECT_EQ(70u, MenuHelpContext(IDM_MOTIONDETECT));
  EXPECT_EQ(0u, MenuHelpContext(IDM_EXIT));
  EXPECT_EQ(300u, kMainWindowHelpContext);
}

}  // namespace
}  // namespace torvane
