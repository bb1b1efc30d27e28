// Captured sound on its way into a movie: silence for what the device has
// not delivered, whole sample frames, and the backlog limit that keeps
// sound and picture together when the device runs fast.
#include <gtest/gtest.h>

#include <vector>

#include "media/SoundQueue.h"

namespace {

media::AudioFormat Format(int rate, int channels, int bits) {
  media::AudioFormat f;
  f.samplesPerSecond = rate, f.channels = channels, f.bitsPerSample = bits;
  return f;
}

TEST(SoundQueue, MissingSoundIsSilenceOfTheFormat) {
  struct Case {
    int channels, bits;
    std::uint8_t silence;
  };
  for (const Case c : {Case{1, 8, 0x80}, Case{2, 16, 0x00}}) {
    media::SoundQueue queue;
    queue.Reset(Format(8000, c.channels, c.bits), 1000);
    const std::size_t block = static_cast<std::size_t>(c.channels * c.bits / 8);
    const std::vector<std::uint8_t> captured(3 * block, 7);
    queue.Push(captured.data(), captured.size());
    std::vector<std::uint8_t> out = {1};  // appended to, not replaced
    EXPECT_EQ(3u, queue.Take(5, out));
    ASSERT_EQ(1 + 5 * block, out.size());
    for (std::size_t i = 1; i < out.size(); ++i) EXPECT_EQ(i <= 3 * block ? 7 : c.silence, out[i]) << i;
    EXPECT_EQ(0u, queue.QueuedFrames());
  }
}

TEST(SoundQueue, KeepsOrderAndWholeFrames) {
  media::SoundQueue queue;
  queue.Reset(Format(8000, 2, 16), 1000);
  const std::vector<std::uint8_t> first = {1, 2, 3, 4, 5, 6}, second = {7, 8, 9, 10, 11, 12, 13, 14};
  queue.Push(first.data(), first.size());  // a frame and a half
  queue.Push(second.data(), second.size());
  EXPECT_EQ(3u, queue.QueuedFrames());
  std::vector<std::uint8_t> out;
  EXPECT_EQ(2u, queue.Take(2, out));
  EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}), out);
}

TEST(SoundQueue, DropsTheOldestSoundBeyondTheBacklog) {
  media::SoundQueue queue;
  queue.Reset(Format(1000, 1, 8), 100);  // 100 sample frames at most
  std::vector<std::uint8_t> captured(150);
  for (std::size_t i = 0; i < captured.size(); ++i) captured[i] = static_cast<std::uint8_t>(i);
  queue.Push(captured.data(), captured.size());
  EXPECT_EQ(100u, queue.QueuedFrames());
  std::vector<std::uint8_t> out;
  queue.Take(1, out);
  EXPECT_EQ(50, out[0]) << "the newest sound stays";
  queue.Reset(Format(1000, 1, 8), 100);
  EXPECT_EQ(0u, queue.QueuedFrames());
}

}  // namespace
