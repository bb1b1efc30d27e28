// Sine tone generation for the synthetic microphone.
#include "media/ToneSource.h"

#include <cmath>

namespace media {

HRESULT ToneSource::Reset(const AudioFormat& format, int frequency, double amplitude) {
  if (!format.Valid() || frequency < 1 || frequency > format.samplesPerSecond / 2 ||
      !(amplitude >= 0.0 && amplitude <= 1.0)) {
    return E_INVALIDARG;
  }
  format_ = format;
  frequency_ = frequency;
  amplitude_ = amplitude;
  position_ = 0;
  ready_ = true;
  return S_OK;
}

void ToneSource::Render(std::size_t sampleFrames, std::vector<std::uint8_t>& out) {
  if (!ready_) return;
  const std::uint64_t rate = static_cast<std::uint64_t>(format_.samplesPerSecond);
  out.reserve(out.size() + sampleFrames * format_.BlockAlign());
  for (std::size_t i = 0; i < sampleFrames; ++i, ++position_) {
    // The phase is taken from the sample index modulo one second, which
    // holds a whole number of periods: exact and continuous however long
    // the recording runs.
    const std::uint64_t cycle = (position_ % rate) * static_cast<std::uint64_t>(frequency_) % rate;
    const double level = amplitude_ * std::sin(6.283185307179586 * static_cast<double>(cycle) /
                                               static_cast<double>(rate));
    for (int c = 0; c < format_.channels; ++c) {
      if (format_.bitsPerSample == 8) {
        out.push_back(static_cast<std::uint8_t>(128 + std::lround(level * 127.0)));
      } else {
        const auto sample = static_cast<std::int16_t>(std::lround(level * 32767.0));
        out.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        out.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
      }
    }
  }
}

}  // namespace media
