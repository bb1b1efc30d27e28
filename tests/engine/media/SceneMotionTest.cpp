// The synthetic scene and the motion meter together: pictures differ from
// frame to frame and from camera to camera, the same inputs give the same
// picture, and the meter sees the scene's motion but not a still picture.
#include <gtest/gtest.h>

#include <windows.h>

#include "media/MotionMeter.h"
#include "media/SceneRenderer.h"

namespace {

SYSTEMTIME At(WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t = {};
  t.wYear = 2024, t.wMonth = 5, t.wDay = 17;
  t.wHour = hour, t.wMinute = minute, t.wSecond = second;
  return t;
}

media::Frame Render(std::uint32_t seed, int w, int h, std::uint32_t n, const SYSTEMTIME& t) {
  media::SceneRenderer scene(seed);
  media::Frame frame;
  EXPECT_EQ(scene.Render(w, h, n, t, frame), S_OK);
  return frame;
}

TEST(SceneRenderer, SameInputsGiveTheSamePicture) {
  const SYSTEMTIME t = At(12, 34, 56);
  media::SceneRenderer reused(7);
  media::Frame a, b;
  ASSERT_EQ(reused.Render(320, 240, 42, t, a), S_OK);
  ASSERT_EQ(reused.Render(640, 480, 1, t, b), S_OK);  // a size change in between
  ASSERT_EQ(reused.Render(320, 240, 42, t, b), S_OK);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, Render(7, 320, 240, 42, t)) << "a fresh renderer agrees";
}

TEST(SceneRenderer, FrameNumberTimeAndCameraChangeThePicture) {
  const SYSTEMTIME t = At(9, 5, 0);
  const media::Frame base = Render(1, 320, 240, 100, t);
  EXPECT_NE(base, Render(1, 320, 240, 101, t)) << "next frame";
  EXPECT_NE(base, Render(1, 320, 240, 100, At(9, 5, 1))) << "next second on the clock";
  EXPECT_NE(base, Render(1, 320, 240, 100, At(10, 5, 0))) << "next hour on the clock";
  EXPECT_NE(base, Render(2, 320, 240, 100, t)) << "another camera";
}

TEST(SceneRenderer, RendersEverySupportedSizeAndRefusesTinyOnes) {
  const SYSTEMTIME t = At(23, 59, 59);
  for (const auto& [w, h] : {std::pair{160, 120}, {161, 121}, {352, 288}, {1600, 1200}}) {
    const media::Frame frame = Render(3, w, h, 999999, t);
    EXPECT_EQ(frame.Width(), w);
    EXPECT_EQ(frame.Height(), h);
  }
  media::SceneRenderer scene;
  media::Frame frame;
  EXPECT_EQ(scene.Render(8, 8, 0, t, frame), E_INVALIDARG);
  EXPECT_EQ(scene.Render(640, 0, 0, t, frame), E_INVALIDARG);
  EXPECT_EQ(scene.Render(9000, 480, 0, t, frame), E_INVALIDARG);
}

TEST(SceneRenderer, DiscMovesEveryFrameAndStaysInside) {
  media::SceneRenderer scene(11);
  for (const auto& [w, h] : {std::pair{160, 120}, {640, 480}}) {
    for (std::uint32_t n = 0; n < 3 * media::SceneRenderer::kCrossingFrames; ++n) {
      const auto a = scene.DiscAt(w, h, n), b = scene.DiscAt(w, h, n + 1);
      EXPECT_TRUE(a.centreX != b.centreX || a.centreY != b.centreY) << w << " frame " << n;
      EXPECT_GE(a.centreX - a.radius, 0);
      EXPECT_LE(a.centreX + a.radius, w);
      EXPECT_GE(a.centreY - a.radius, 0);
      EXPECT_LE(a.centreY + a.radius, h);
    }
  }
}

TEST(MotionMeter, StillPicturesGiveZeroAndSceneMotionIsSeen) {
  const SYSTEMTIME t = At(8, 0, 0);
  const media::Frame a = Render(5, 320, 240, 10, t);
  const media::Frame b = Render(5, 320, 240, 14, t);
  int value = -1;
  for (int s : {1, 50, 100}) {
    ASSERT_EQ(media::MotionMeter::Compare(a, a, s, &value), S_OK);
    EXPECT_EQ(value, 0) << "sensitivity " << s;
  }
  ASSERT_EQ(media::MotionMeter::Compare(a, b, 50, &value), S_OK);
  EXPECT_GT(value, 0);
  EXPECT_LE(value, 100);
}

TEST(MotionMeter, HigherSensitivityNeverGivesLessAndValuesStayInRange) {
  media::Frame dark, lighter, white;
  ASSERT_EQ(dark.Allocate(64, 48), S_OK);
  lighter = dark;
  white = dark;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (x < 16) std::fill_n(lighter.Row(y) + 3 * x, 3, std::uint8_t{30});  // a quarter, faintly
      std::fill_n(white.Row(y) + 3 * x, 3, std::uint8_t{255});
    }
  }
  int previous = 0;
  for (int s = 1; s <= 100; ++s) {
    int value = -1;
    ASSERT_EQ(media::MotionMeter::Compare(dark, lighter, s, &value), S_OK);
    EXPECT_GE(value, previous) << "sensitivity " << s;
    previous = value;
  }
  EXPECT_GT(previous, 0) << "the faint change registers at the highest sensitivity";
  int low = -1, full = -1;
  ASSERT_EQ(media::MotionMeter::Compare(dark, lighter, 1, &low), S_OK);
  EXPECT_EQ(low, 0) << "a change of 30 levels is below the lowest sensitivity's threshold";
  ASSERT_EQ(media::MotionMeter::Compare(dark, white, 100, &full), S_OK);
  EXPECT_EQ(full, 100) << "capped";
}

TEST(MotionMeter, RefusesMismatchedFramesAndBadSensitivity) {
  media::Frame a, b;
  ASSERT_EQ(a.Allocate(32, 32), S_OK);
  ASSERT_EQ(b.Allocate(32, 33), S_OK);
  int value = 0;
  EXPECT_EQ(media::MotionMeter::Compare(a, b, 50, &value), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(a, a, 0, &value), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(a, a, 101, &value), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(a, a, 50, nullptr), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(media::Frame(), media::Frame(), 50, &value), E_INVALIDARG);
}

TEST(MotionMeter, FeedComparesWithThePreviousFrameAndRestartsOnSizeChange) {
  const SYSTEMTIME t = At(8, 0, 0);
  media::MotionMeter meter;
  EXPECT_EQ(meter.Feed(Render(5, 320, 240, 0, t), 80), 0) << "first frame";
  EXPECT_GT(meter.Feed(Render(5, 320, 240, 5, t), 80), 0);
  EXPECT_EQ(meter.Feed(Render(5, 320, 240, 5, t), 80), 0) << "same picture again";
  EXPECT_EQ(meter.Feed(Render(5, 160, 120, 9, t), 80), 0) << "new size";
  EXPECT_GT(meter.Feed(Render(5, 160, 120, 20, t), 500), 0) << "sensitivity clamped, not refused";
}

}  // namespace
