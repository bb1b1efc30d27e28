// Sound from the default audio capture device (waveIn through the wave
// mapper) for movies: a thread hands the device's filled buffers to a
// SoundQueue, from which each video frame takes the sound it is due. A
// movie uses it only when a capture device exists and takes the movie's
// PCM format; otherwise the synthetic tone.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "common/UniqueHandle.h"
#include "media/SoundQueue.h"
#include "media/SoundSource.h"

namespace engine {

class Microphone : public media::SoundSource {
 public:
  // True when the system has an audio capture device.
  static bool Present() noexcept;

  Microphone() = default;
  Microphone(const Microphone&) = delete;
  Microphone& operator=(const Microphone&) = delete;
  ~Microphone() override { Close(); }

  // Opens the device in `format` and starts recording.
  HRESULT Reset(const media::AudioFormat& format) override;
  void Render(std::size_t sampleFrames, std::vector<std::uint8_t>& out) override;
  std::uint64_t FramesRendered() const noexcept override { return position_; }
  void SetPosition(std::uint64_t position) noexcept override { position_ = position; }
  void Close() noexcept;

 private:
  static constexpr int kBuffers = 8, kBufferMs = 50, kMaxBacklogMs = 500;
  void Harvest();

  HWAVEIN device_ = nullptr;
  common::UniqueKernelHandle done_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  std::vector<std::vector<std::uint8_t>> memory_;
  std::vector<WAVEHDR> headers_;
  media::SoundQueue queue_;
  media::AudioFormat format_;
  std::uint64_t position_ = 0;
};

}  // namespace engine
