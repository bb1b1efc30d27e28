// Finishing a recorded movie at its target.
#include "core/movies/MovieFinish.h"

namespace portal {

MovieFinish FinishMovie(MoviePostProcessor& postProcessor, const std::wstring& capture, const std::wstring& target) {
  if (::GetFileAttributesW(capture.c_str()) == INVALID_FILE_ATTRIBUTES) return MovieFinish::kNothingRecorded;
  if (SUCCEEDED(postProcessor.Save(capture, target))) {
    ::DeleteFileW(capture.c_str());
    return MovieFinish::kSaved;
  }
  // Whatever the save left at the target gives way to the movie as it was
  // recorded; across volumes the move copies.
  if (::MoveFileExW(capture.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
    return MovieFinish::kMovedUnchanged;
  }
  return MovieFinish::kKeptAsCapture;
}

}  // namespace portal
