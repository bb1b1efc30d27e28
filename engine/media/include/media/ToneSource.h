// The synthetic microphone: a quiet sine tone as PCM in a given format.
// The phase continues from one call to the next, so chunks rendered for
// consecutive movie frames join without clicks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/AudioFormat.h"
#include "media/SoundSource.h"

namespace media {

class ToneSource : public SoundSource {
 public:
  static constexpr int kDefaultFrequency = 440;      // Hz
  static constexpr double kDefaultAmplitude = 0.12;  // of full scale

  ToneSource() = default;

  // E_INVALIDARG for an invalid format, a frequency outside 1 Hz..half the
  // rate, or an amplitude outside 0..1. Restarts the phase.
  HRESULT Reset(const AudioFormat& format, int frequency, double amplitude = kDefaultAmplitude);
  HRESULT Reset(const AudioFormat& format) override { return Reset(format, kDefaultFrequency); }

  const AudioFormat& Format() const noexcept { return format_; }
  bool Ready() const noexcept { return ready_; }

  // Appends sampleFrames frames (all channels, same value) to out.
  // Nothing happens before a successful Reset.
  void Render(std::size_t sampleFrames, std::vector<std::uint8_t>& out) override;

  std::uint64_t FramesRendered() const noexcept override { return position_; }
  // Moves to sample frame `position`, as if that many had been rendered.
  void SetPosition(std::uint64_t position) noexcept override { position_ = position; }

 private:
  AudioFormat format_;
  int frequency_ = kDefaultFrequency;
  double amplitude_ = kDefaultAmplitude;
  std::uint64_t position_ = 0;
  bool ready_ = false;
};

}  // namespace media
