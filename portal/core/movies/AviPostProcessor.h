// Post-processing with the system's AVI file services: the first video
// stream of a capture file and its first audio stream, when there is one,
// are each made editable and copied whole, then saved into the target
// without recompression while the progress window runs. The saved movie
// is read back and must hold every frame and sample of the capture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "core/movies/MovieFinish.h"

namespace portal {

class AviPostProcessor final : public MoviePostProcessor {
 public:
  // owner: the window the progress window belongs to when a save runs.
  explicit AviPostProcessor(std::function<HWND()> owner) : owner_(std::move(owner)) {}
  AviPostProcessor(const AviPostProcessor&) = delete;
  AviPostProcessor& operator=(const AviPostProcessor&) = delete;

  // Fails for a capture of several RIFF parts, which AVIFile would cut
  // short to its first part, and when the user closes the progress window
  // (AVIERR_USERABORT).
  HRESULT Save(const std::wstring& capture, const std::wstring& target) override;

 private:
  std::function<HWND()> owner_;
};

}  // namespace portal
