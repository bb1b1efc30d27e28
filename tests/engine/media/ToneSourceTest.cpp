// The synthetic microphone: formats, levels and a phase that continues
// across calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/ToneSource.h"

namespace {

media::AudioFormat Format(int rate, int channels, int bits) {
  media::AudioFormat f;
  f.samplesPerSecond = rate, f.channels = channels, f.bitsPerSample = bits;
  return f;
}

int Sample16(const std::vector<std::uint8_t>& b, std::size_t i) {
  return static_cast<std::int16_t>(b[2 * i] | b[2 * i + 1] << 8);
}

TEST(ToneSource, RefusesFormatsOutsidePcm8And16) {
  media::ToneSource tone;
  EXPECT_EQ(tone.Reset(Format(11025, 1, 12)), E_INVALIDARG);
  EXPECT_EQ(tone.Reset(Format(11025, 3, 8)), E_INVALIDARG);
  EXPECT_EQ(tone.Reset(Format(0, 1, 8)), E_INVALIDARG);
  EXPECT_EQ(tone.Reset(Format(8000, 1, 8), 4001), E_INVALIDARG) << "above half the rate";
  EXPECT_EQ(tone.Reset(Format(8000, 1, 8), 440, 1.5), E_INVALIDARG);
  std::vector<std::uint8_t> out;
  tone.Render(100, out);
  EXPECT_TRUE(out.empty()) << "nothing before a successful reset";
}

TEST(ToneSource, ByteCountsAndQuietLevelsPerFormat) {
  for (const auto& f : {Format(11025, 1, 8), Format(22050, 2, 8), Format(44100, 2, 16),
                        Format(8000, 1, 16)}) {
    media::ToneSource tone;
    ASSERT_EQ(tone.Reset(f), S_OK);
    std::vector<std::uint8_t> out;
    tone.Render(static_cast<std::size_t>(f.samplesPerSecond), out);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(f.BytesPerSecond()));
    int peak = 0;
    for (std::size_t i = 0; i < out.size() / (f.bitsPerSample / 8); ++i) {
      const int level = f.bitsPerSample == 8 ? std::abs(out[i] - 128) * 256 : std::abs(Sample16(out, i));
      peak = std::max(peak, level);
    }
    EXPECT_GT(peak, 32767 / 20) << "audible";
    EXPECT_LT(peak, 32767 / 4) << "quiet";
    if (f.channels == 2) {
      EXPECT_EQ(out[0], out[f.BlockAlign() / 2]) << "same on both channels";
    }
  }
}

TEST(ToneSource, ChunksJoinExactlyAsOneLongRender) {
  const auto f = Format(11025, 1, 16);
  media::ToneSource whole, pieces;
  ASSERT_EQ(whole.Reset(f), S_OK);
  ASSERT_EQ(pieces.Reset(f), S_OK);
  std::vector<std::uint8_t> a, b;
  whole.Render(5000, a);
  for (std::size_t n : {735u, 1u, 0u, 1264u, 3000u}) pieces.Render(n, b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(pieces.FramesRendered(), 5000u);
  // Winding back replays the same samples.
  pieces.SetPosition(4000);
  std::vector<std::uint8_t> again;
  pieces.Render(1000, again);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), a.begin() + 8000));
}

}  // namespace
