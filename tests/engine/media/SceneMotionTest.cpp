// The synthetic scene and the motion meter: pictures differ from frame to
// frame and from camera to camera, the same inputs give the same picture;
// the meter reads pictures with known changed areas, noise and the
// scene's moving disc.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>

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

// A live stream drawn frame over frame equals each frame rendered whole:
// across the disc's turns at the edges, clock and counter changes, a size
// switch, pictures of another size rendered in between, and a frame that
// is not the stream's own.
TEST(SceneRenderer, FramesDrawnOverTheLastEqualWholeFrames) {
  const struct {
    int width, height;
  } sizes[] = {{16, 16}, {161, 121}, {640, 480}};
  for (const auto& size : sizes) {
    media::SceneRenderer live(4);
    media::Frame stream;
    for (std::uint32_t n = 0; n < 2 * media::SceneRenderer::kCrossingFrames + 5; n += 3) {
      const SYSTEMTIME t = At(9, 59, static_cast<WORD>(n % 60));
      if (n % 21 == 0) {  // a picture at the still size in between
        media::Frame picture;
        ASSERT_EQ(live.Render(1280, 960, n, t, picture), S_OK);
      }
      ASSERT_EQ(live.RenderNext(size.width, size.height, n, t, stream), S_OK);
      ASSERT_EQ(stream, Render(4, size.width, size.height, n, t)) << size.width << " frame " << n;
    }
    ASSERT_EQ(live.RenderNext(320, 240, 7, At(1, 2, 3), stream), S_OK);  // the live size changes
    EXPECT_EQ(stream, Render(4, 320, 240, 7, At(1, 2, 3)));
    media::Frame other = stream;  // same pixels, another frame: rendered whole
    std::fill(other.Bits(), other.Bits() + other.ImageBytes(), std::uint8_t{0x55});
    ASSERT_EQ(live.RenderNext(320, 240, 8, At(1, 2, 3), other), S_OK);
    EXPECT_EQ(other, Render(4, 320, 240, 8, At(1, 2, 3)));
    EXPECT_EQ(live.RenderNext(8, 8, 9, At(1, 2, 3), stream), E_INVALIDARG);
  }
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

// A textured grey picture (40..119, so a change of 100 levels never clips)
// with sensor-like noise of the given strength (0 = none).
media::Frame Textured(int w, int h, double noiseSigma, std::uint32_t seed) {
  media::Frame frame;
  EXPECT_EQ(frame.Allocate(w, h), S_OK);
  std::uint32_t state = seed * 2654435761u + 1;
  auto uniform = [&state] {  // -1..1
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  };
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = frame.Row(y);
    for (int x = 0; x < 3 * w; ++x) {
      // A sum of three uniforms has unit variance and a bell shape.
      const double noise = noiseSigma * (uniform() + uniform() + uniform());
      p[x] = static_cast<std::uint8_t>(std::clamp(40 + (x * 3 + y * 5) % 80 + static_cast<int>(std::lround(noise)), 0, 255));
    }
  }
  return frame;
}

// Brightens a rectangle covering `share` of the picture by `levels`.
void Change(media::Frame& frame, double share, int levels) {
  const int w = static_cast<int>(std::lround(frame.Width() * std::sqrt(share)));
  const int h = static_cast<int>(std::lround(frame.Height() * std::sqrt(share)));
  const int left = (frame.Width() - w) / 3, top = (frame.Height() - h) / 3;
  for (int y = top; y < top + h; ++y) {
    std::uint8_t* p = frame.Row(y) + 3 * left;
    for (int x = 0; x < 3 * w; ++x) p[x] = static_cast<std::uint8_t>(std::min(255, p[x] + levels));
  }
}

int Measure(const media::Frame& a, const media::Frame& b) {
  int value = -1;
  EXPECT_EQ(media::MotionMeter::Compare(a, b, &value), S_OK);
  return value;
}

TEST(MotionMeter, ScenesWithKnownMovingAreas) {
  const struct {
    const char* what;
    int width, height;
    double noise, share;
    int levels, low, high;
  } cases[] = {
      {"still", 320, 240, 0, 0, 0, 0, 0},
      {"sensor noise", 320, 240, 4, 0, 0, 0, 1},
      {"strong sensor noise", 320, 240, 8, 0, 0, 0, 1},
      {"noise, small 160x120", 160, 120, 6, 0, 0, 0, 1},
      {"exposure: whole picture 10 levels brighter", 320, 240, 2, 1.0, 10, 0, 0},
      {"small area (1%)", 320, 240, 0, 0.01, 100, 7, 13},
      {"small area in noise", 320, 240, 4, 0.01, 100, 7, 13},
      {"quarter", 320, 240, 0, 0.25, 100, 45, 55},
      {"quarter, 160x120", 160, 120, 0, 0.25, 100, 45, 55},
      {"quarter, 640x480", 640, 480, 3, 0.25, 100, 45, 55},
      {"half the picture", 320, 240, 0, 0.5, 100, 66, 76},
      {"whole picture", 320, 240, 0, 1.0, 100, 100, 100},
      {"quarter, faint change", 320, 240, 0, 0.25, 24, 24, 34},
  };
  for (const auto& c : cases) {
    const media::Frame before = Textured(c.width, c.height, c.noise, 1);
    media::Frame after = Textured(c.width, c.height, c.noise, c.noise > 0 ? 2 : 1);
    if (c.share > 0) Change(after, c.share, c.levels);
    const int value = Measure(before, after);
    EXPECT_GE(value, c.low) << c.what;
    EXPECT_LE(value, c.high) << c.what;
  }
}

TEST(MotionMeter, GrowsWithTheChangedAreaAndTheStrengthOfTheChange) {
  const media::Frame before = Textured(320, 240, 3, 1);
  int previous = 0;
  for (double share : {0.002, 0.01, 0.04, 0.16, 0.36, 0.64}) {
    media::Frame after = Textured(320, 240, 3, 2);
    Change(after, share, 100);
    const int value = Measure(before, after);
    EXPECT_GT(value, previous) << share;
    previous = value;
  }
  previous = 0;
  for (int levels : {16, 24, 40, 60}) {
    media::Frame after = before;
    Change(after, 0.25, levels);
    const int value = Measure(before, after);
    EXPECT_GT(value, previous) << levels << " levels";
    previous = value;
  }
}

TEST(MotionMeter, TheMovingDiscReadsWellAboveNoise) {
  const SYSTEMTIME t = At(8, 0, 0);
  for (const auto& [w, h] : {std::pair{160, 120}, {320, 240}, {640, 480}}) {
    for (std::uint32_t seed : {1u, 5u, 11u}) {
      const media::Frame a = Render(seed, w, h, 10, t);
      EXPECT_EQ(Measure(a, a), 0) << w;
      EXPECT_GE(Measure(a, Render(seed, w, h, 11, t)), 8) << w << " camera " << seed;
    }
  }
}

TEST(MotionMeter, RefusesMismatchedAndEmptyFrames) {
  media::Frame a, b;
  ASSERT_EQ(a.Allocate(32, 32), S_OK);
  ASSERT_EQ(b.Allocate(32, 33), S_OK);
  int value = 0;
  EXPECT_EQ(media::MotionMeter::Compare(a, b, &value), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(a, a, nullptr), E_INVALIDARG);
  EXPECT_EQ(media::MotionMeter::Compare(media::Frame(), media::Frame(), &value), E_INVALIDARG);
  ASSERT_EQ(media::MotionMeter::Compare(a, a, &value), S_OK);
  EXPECT_EQ(value, 0) << "a picture smaller than the grid";
}

TEST(MotionMeter, FeedComparesWithThePreviousFrameAndRestartsOnSizeChange) {
  const SYSTEMTIME t = At(8, 0, 0);
  media::MotionMeter meter;
  EXPECT_EQ(meter.Feed(Render(5, 320, 240, 0, t)), 0) << "first frame";
  EXPECT_GT(meter.Feed(Render(5, 320, 240, 5, t)), 0);
  EXPECT_EQ(meter.Feed(Render(5, 320, 240, 5, t)), 0) << "same picture again";
  EXPECT_EQ(meter.Feed(Render(5, 160, 120, 9, t)), 0) << "new size";
  EXPECT_GT(meter.Feed(Render(5, 160, 120, 20, t)), 0);
  meter.Reset();
  EXPECT_EQ(meter.Feed(Render(5, 160, 120, 30, t)), 0) << "after a reset";
}

}  // namespace
