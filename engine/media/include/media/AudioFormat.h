// An uncompressed PCM audio format: 8-bit unsigned or 16-bit signed
// samples, one or two channels.
#pragma once

#include <windows.h>

#include <mmreg.h>

#include <cstdint>

namespace media {

struct AudioFormat {
  static constexpr int kMinRate = 1000, kMaxRate = 192000;

  int samplesPerSecond = 11025;
  int channels = 1;
  int bitsPerSample = 8;

  bool Valid() const noexcept {
    return samplesPerSecond >= kMinRate && samplesPerSecond <= kMaxRate &&
           (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16);
  }
  // Bytes of one sample frame (all channels).
  int BlockAlign() const noexcept { return channels * bitsPerSample / 8; }
  int BytesPerSecond() const noexcept { return samplesPerSecond * BlockAlign(); }

  WAVEFORMATEX WaveFormat() const noexcept {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(samplesPerSecond);
    format.nAvgBytesPerSec = static_cast<DWORD>(BytesPerSecond());
    format.nBlockAlign = static_cast<WORD>(BlockAlign());
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    format.cbSize = 0;
    return format;
  }
};

}  // namespace media
