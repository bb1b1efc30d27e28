// Movie recording helpers of the engine tests.
#include "EngineMovieFiles.h"

#include <windows.h>

#include <cstring>
#include <fstream>

namespace engine_test {

std::string MovieFolder() {
  ::CreateDirectoryA("engine-movies", nullptr);
  char full[MAX_PATH];
  ::GetFullPathNameA("engine-movies\\", MAX_PATH, full, nullptr);
  return full;
}

engine::MovieRequestRecord MovieRequest(const std::string& path, long mode, bool compressed, bool audio) {
  engine::MovieRequestRecord movie{};
  movie.size = sizeof(movie);
  std::strncpy(movie.captureFile, path.c_str(), sizeof(movie.captureFile) - 1);
  movie.framePeriodMs = 66;
  movie.recordMode = mode;
  movie.compression = compressed ? 1 : 0;
  movie.recordAudio = audio ? 1 : 0;
  movie.createFlags = 3;
  return movie;
}

void ExpectFrames(const std::string& movie, const char* relation, unsigned frames, bool severalParts) {
  std::ofstream(movie + ".expect", std::ios::trunc)
      << relation << " " << frames << " " << (severalParts ? "several" : "one") << "\n";
}

}  // namespace engine_test
