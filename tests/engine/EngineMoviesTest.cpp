// Movie recording into capture files. The files written here are checked
// afterwards by an independent reader (check_engine_movies.sh with
// ffprobe/ffmpeg): stream count, codec, size, frame count, audio format.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineClient.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

constexpr std::uint32_t kIv50 = 0x30355649;  // "IV50", not a codec the engine has

std::string MovieFolder() {
  ::CreateDirectoryA("engine-movies", nullptr);
  char full[MAX_PATH];
  ::GetFullPathNameA("engine-movies\\", MAX_PATH, full, nullptr);
  return full;
}

MovieRequestRecord Request(const std::string& path, long mode, bool compressed, bool audio) {
  MovieRequestRecord movie{};
  movie.size = sizeof(movie);
  std::strncpy(movie.captureFile, path.c_str(), sizeof(movie.captureFile) - 1);
  movie.framePeriodMs = 66;
  movie.recordMode = mode;
  movie.compression = compressed ? 1 : 0;
  movie.recordAudio = audio ? 1 : 0;
  movie.createFlags = 3;
  return movie;
}

class EngineMovies : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, client_.Connect(0));
    folder_ = MovieFolder();
  }
  void TearDown() override {
    client_.Exec(kCmdMovie, kMovieStop);
    client_.SetFormat(320, 240);
  }

  void Prepare(std::uint32_t codec, AudioFormatRecord audio) {
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieCompression, VideoCompressionRecord{16, codec, -1, 15}));
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieAudioFormat, audio));
  }
  RecordingStateRecord State(const EngineClient& client) {
    RecordingStateRecord state{};
    EXPECT_EQ(S_OK, client.InqRecord(kCmdMovie, kMovieState, &state));
    return state;
  }
  // Pumps (the engine records on its own clock) until frames are written.
  void WaitForFrames(std::uint32_t frames) {
    for (int i = 0; i < 300 && State(client_).framesWritten < frames; ++i) ::Sleep(20);
  }

  EngineClient client_;
  std::string folder_;
};

TEST_F(EngineMovies, UncompressedWithSound) {
  Prepare(0, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "dib-audio.avi", 2, false, true)));
  EXPECT_EQ(1, State(client_).active);
  WaitForFrames(12);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
  EXPECT_EQ(0, State(client_).active);
}

TEST_F(EngineMovies, UninstalledCodecRecordsMjpeg) {
  ASSERT_EQ(S_OK, client_.SetFormat(640, 480));
  Prepare(kIv50, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "mjpeg.avi", 2, true, false)));
  WaitForFrames(8);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
}

TEST_F(EngineMovies, FrameByFrameTakesOnlyRequestedFrames) {
  Prepare(0, AudioFormatRecord{24, 2, 22050, 16, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "step.avi", 3, false, true)));
  ::Sleep(300);  // the clock ticks, but adds nothing in this mode
  EXPECT_EQ(0u, State(client_).framesWritten);
  for (int i = 0; i < 5; ++i) ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieAddFrame));
  EXPECT_EQ(5u, State(client_).framesWritten);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
}

TEST_F(EngineMovies, OneRecordingAtATimeAcrossClients) {
  EngineClient other;
  ASSERT_EQ(S_OK, other.Create());
  ASSERT_EQ(S_OK, other.Connect(1));
  Prepare(0, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "first.avi", 3, false, false)));
  EXPECT_EQ(1, State(other).active);
  EXPECT_EQ(0u, State(other).framesWritten);
  EXPECT_TRUE(FAILED(other.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "second.avi", 3, false, false))));
  long reason = 0;
  other.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonBusy, reason);
  // The capture size cannot change under a running recording.
  EXPECT_TRUE(FAILED(client_.SetFormat(640, 480)));
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
  EXPECT_EQ(0, State(other).active);
}

TEST_F(EngineMovies, RequestsThatCannotRecordAreRefused) {
  // Stopping without a recording is accepted; adding a frame is not.
  EXPECT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
  EXPECT_TRUE(FAILED(client_.Exec(kCmdMovie, kMovieAddFrame)));
  MovieRequestRecord bad = Request(folder_ + "never.avi", 2, false, false);
  bad.framePeriodMs = -1;
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdMovie, kMovieStart, bad));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdMovie, kMovieStart,
                                        Request(folder_ + "missing\\never.avi", 2, false, false))));
  long reason = 0;
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonFile, reason);
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdMovie, kMovieCompression, VideoCompressionRecord{15, 0, 0, 0}));
  client_.Exec(kCmdDisconnect, 0);
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdMovie, kMovieStart, Request(folder_ + "never.avi", 2, false, false))));
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonNoCamera, reason);
}

}  // namespace
