// Captured sound waiting for the movie: a capture thread appends what the
// device recorded, the movie takes the frames each video frame is due.
// When the device has not delivered enough yet the rest is silence; when
// more than the backlog limit waits (the device runs faster than the
// movie's clock), the oldest sound is dropped, so picture and sound stay
// within that limit of each other. Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "media/AudioFormat.h"

namespace media {

class SoundQueue {
 public:
  // Empties the queue for sound of `format`, keeping at most maxBacklogMs.
  void Reset(const AudioFormat& format, int maxBacklogMs);
  void Push(const std::uint8_t* bytes, std::size_t size);
  // Appends exactly sampleFrames frames to out (silence for what is
  // missing); returns the frames that were real sound.
  std::size_t Take(std::size_t sampleFrames, std::vector<std::uint8_t>& out);
  std::size_t QueuedFrames() const;

 private:
  mutable std::mutex lock_;
  std::deque<std::uint8_t> bytes_;
  std::size_t blockAlign_ = 1;
  std::size_t maxBytes_ = 0;
  std::uint8_t silence_ = 0x80;
};

}  // namespace media
