// Where a movie's sound comes from: the synthetic tone (ToneSource) or a
// capture device (the engine's microphone). The writer asks for the sample
// frames each video frame is due, in the format the source was reset to.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/AudioFormat.h"

namespace media {

class SoundSource {
 public:
  virtual ~SoundSource() = default;
  virtual HRESULT Reset(const AudioFormat& format) = 0;
  // Appends exactly sampleFrames frames to out.
  virtual void Render(std::size_t sampleFrames, std::vector<std::uint8_t>& out) = 0;
  virtual std::uint64_t FramesRendered() const noexcept = 0;
  // Moves to sample frame `position`, as if that many had been rendered.
  virtual void SetPosition(std::uint64_t position) noexcept = 0;
};

}  // namespace media
