// Movie recording helpers of the engine tests.
#include "EngineMovieFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

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

void StartTimedRecording(EngineClient& client, MessageSink& sink, const std::string& path,
                         const engine::AudioFormatRecord& audio) {
  using namespace engine;
  ASSERT_EQ(S_OK, client.Create());
  ASSERT_EQ(S_OK, client.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink.Window()))));
  ASSERT_EQ(S_OK, client.Connect(0));
  ASSERT_EQ(S_OK, client.ExecRecord(kCmdMovie, kMovieAudioFormat, audio));
  ASSERT_EQ(S_OK, client.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(path, 2, false, true)));
}

void ExpectFrames(const std::string& movie, const char* relation, unsigned frames, bool severalParts) {
  std::ofstream(movie + ".expect", std::ios::trunc)
      << relation << " " << frames << " " << (severalParts ? "several" : "one") << "\n";
}

}  // namespace engine_test
