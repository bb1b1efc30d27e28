// Post-processing with the system's AVI file services: the first video
// stream of a capture file and its first audio stream, when there is one,
// are each made editable and copied whole, then saved into the target
// without recompression while the progress window runs. The saved movie
// is read back and must hold every frame and sample of the capture.
#pragma once

#include <windows.h>

#include <string>

#include "core/WindowView.h"
#include "core/movies/MovieFinish.h"

namespace portal {

class AviPostProcessor final : public MoviePostProcessor {
 public:
  explicit AviPostProcessor(WindowView& view) : view_(view) {}
  AviPostProcessor(const AviPostProcessor&) = delete;
  AviPostProcessor& operator=(const AviPostProcessor&) = delete;

  // Fails for a capture of several RIFF parts, which AVIFile would cut
  // short to its first part, and when the user closes the progress window
  // (AVIERR_USERABORT).
  HRESULT Save(const std::wstring& capture, const std::wstring& target) override;

 private:
  WindowView& view_;
};

}  // namespace portal
