// Captured sound between the capture thread and the movie.
#include "media/SoundQueue.h"

#include <algorithm>

namespace media {

void SoundQueue::Reset(const AudioFormat& format, int maxBacklogMs) {
  std::lock_guard<std::mutex> hold(lock_);
  bytes_.clear();
  blockAlign_ = static_cast<std::size_t>(format.BlockAlign() > 0 ? format.BlockAlign() : 1);
  maxBytes_ = static_cast<std::size_t>(format.BytesPerSecond()) * static_cast<std::size_t>(maxBacklogMs) / 1000;
  maxBytes_ -= maxBytes_ % blockAlign_;
  // 8-bit PCM is unsigned (silence 128), 16-bit signed (silence 0).
  silence_ = format.bitsPerSample == 8 ? 0x80 : 0x00;
}

void SoundQueue::Push(const std::uint8_t* bytes, std::size_t size) {
  std::lock_guard<std::mutex> hold(lock_);
  bytes_.insert(bytes_.end(), bytes, bytes + size);
  if (bytes_.size() > maxBytes_) {
    std::size_t drop = bytes_.size() - maxBytes_;
    drop += (blockAlign_ - drop % blockAlign_) % blockAlign_;  // whole sample frames
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(drop, bytes_.size())));
  }
}

std::size_t SoundQueue::Take(std::size_t sampleFrames, std::vector<std::uint8_t>& out) {
  std::lock_guard<std::mutex> hold(lock_);
  const std::size_t real = std::min(sampleFrames, bytes_.size() / blockAlign_);
  const std::size_t realBytes = real * blockAlign_;
  out.insert(out.end(), bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(realBytes));
  bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(realBytes));
  out.insert(out.end(), (sampleFrames - real) * blockAlign_, silence_);
  return real;
}

std::size_t SoundQueue::QueuedFrames() const {
  std::lock_guard<std::mutex> hold(lock_);
  return bytes_.size() / blockAlign_;
}

}  // namespace media
