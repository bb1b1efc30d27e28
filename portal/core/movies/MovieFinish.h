// Turning a finished capture file into the movie at its target, without
// ever losing it: the post-processed copy when the save works, else the
// capture file moved to the target as it was recorded, else the capture
// file left where it is.
#pragma once

#include <windows.h>

#include <string>

namespace portal {

// Copies the streams of a capture file into a new movie file.
class MoviePostProcessor {
 public:
  // A failure may leave a partial target behind.
  virtual HRESULT Save(const std::wstring& capture, const std::wstring& target) = 0;

 protected:
  ~MoviePostProcessor() = default;
};

enum class MovieFinish {
  kSaved,           // the post-processed movie is at the target, the capture file is gone
  kMovedUnchanged,  // the capture file itself is now the target
  kKeptAsCapture,   // neither worked: the movie is still the capture file
  kNothingRecorded, // there is no capture file
};

MovieFinish FinishMovie(MoviePostProcessor& postProcessor, const std::wstring& capture, const std::wstring& target);

}  // namespace portal
