// Movie recording into capture files. The files written here are checked
// afterwards by independent readers (check_engine_movies.sh with
// ffprobe/ffmpeg, and the system's AVIFile services): stream count, codec,
// size, frame count, audio format.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineClient.h"
#include "EngineMovieFiles.h"

using namespace engine;
using engine_test::EngineClient;
using engine_test::ExpectFrames;
using engine_test::MovieRequest;

namespace {

constexpr std::uint32_t kIv50 = 0x30355649;  // "IV50", not a codec the engine has

class EngineMovies : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, client_.Connect(0));
    folder_ = engine_test::MovieFolder();
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
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "dib-audio.avi", 2, false, true)));
  EXPECT_EQ(1, State(client_).active);
  WaitForFrames(12);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
  EXPECT_EQ(0, State(client_).active);
}

TEST_F(EngineMovies, UninstalledCodecRecordsMjpeg) {
  ASSERT_EQ(S_OK, client_.SetFormat(640, 480));
  Prepare(kIv50, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "mjpeg.avi", 2, true, false)));
  WaitForFrames(8);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
}

TEST_F(EngineMovies, FrameByFrameTakesOnlyRequestedFrames) {
  Prepare(0, AudioFormatRecord{24, 2, 22050, 16, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "step.avi", 3, false, true)));
  ::Sleep(300);  // the clock ticks, but adds nothing in this mode
  EXPECT_EQ(0u, State(client_).framesWritten);
  for (int i = 0; i < 5; ++i) ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieAddFrame));
  EXPECT_EQ(5u, State(client_).framesWritten);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
}

// Recordings the engine ends itself keep every frame up to that moment:
// the camera is unplugged (reason 2), the file reaches the size limit of
// scenario 1008 (reason 1).
TEST_F(EngineMovies, RecordingsTheEngineEndsAreCompleteUpToTheEnd) {
  engine_test::MessageSink sink;
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink.Window()))));
  constexpr long kLimit = 2 * 1024 * 1024;
  const struct {
    const char* name;
    long limit;
    WPARAM reason;
  } cases[] = {{"unplugged.avi", 0, 2}, {"limit.avi", kLimit, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(S_OK, client_.Connect(0));
    Prepare(0, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
    ASSERT_EQ(S_OK, client_.Exec(kScenarioMovieLimit, c.limit));
    const std::string path = folder_ + c.name;
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(path, 2, false, true)));
    std::uint32_t frames = 1;
    if (c.limit == 0) {
      WaitForFrames(8);
      frames = State(client_).framesWritten;
      ASSERT_EQ(S_OK, client_.Exec(kScenarioUnplug, 0));
    }
    MSG ended{};
    ASSERT_TRUE(sink.WaitFor(kMsgRecordingEnded, 10000, &ended));
    EXPECT_EQ(c.reason, ended.wParam);
    EXPECT_EQ(0, State(client_).active);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file));
    if (c.limit) {
      EXPECT_LE(file.nFileSizeLow, static_cast<DWORD>(c.limit));
    }
    ExpectFrames(path, "at-least", frames, false);
    client_.Exec(kScenarioReplug, 0);
    client_.Exec(kScenarioMovieLimit, 0);
    sink.Clear();
  }
}

// Past the RIFF size that scenario 1011 sets, the file goes on in OpenDML
// parts; check_engine_movies.sh reads every frame of every part.
TEST_F(EngineMovies, LongMoviesContinuePastTheFirstRiff) {
  for (bool audio : {true, false}) {
    Prepare(0, AudioFormatRecord{24, 2, 22050, 16, 0, 0});
    ASSERT_EQ(S_OK, client_.Exec(kScenarioRiffLimit, 1024 * 1024));
    const std::string path = folder_ + (audio ? "long-audio.avi" : "long-silent.avi");
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(path, 3, false, audio)));
    for (int i = 0; i < 20; ++i) ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieAddFrame));
    EXPECT_EQ(20u, State(client_).framesWritten);
    ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
    ExpectFrames(path, "exactly", 20, true);
  }
  EXPECT_EQ(S_OK, client_.Exec(kScenarioRiffLimit, 0));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kScenarioRiffLimit, 65535));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kScenarioRiffLimit, (1L << 30) + 1));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kScenarioMovieLimit, 16383));
}

TEST_F(EngineMovies, OneRecordingAtATimeAcrossClients) {
  EngineClient other;
  ASSERT_EQ(S_OK, other.Create());
  ASSERT_EQ(S_OK, other.Connect(1));
  Prepare(0, AudioFormatRecord{24, 1, 11025, 8, 0, 0});
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "first.avi", 3, false, false)));
  EXPECT_EQ(1, State(other).active);
  EXPECT_EQ(0u, State(other).framesWritten);
  EXPECT_TRUE(FAILED(other.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "second.avi", 3, false, false))));
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
  MovieRequestRecord bad = MovieRequest(folder_ + "never.avi", 2, false, false);
  bad.framePeriodMs = -1;
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdMovie, kMovieStart, bad));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdMovie, kMovieStart,
                                        MovieRequest(folder_ + "missing\\never.avi", 2, false, false))));
  long reason = 0;
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonFile, reason);
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdMovie, kMovieCompression, VideoCompressionRecord{15, 0, 0, 0}));
  client_.Exec(kCmdDisconnect, 0);
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdMovie, kMovieStart, MovieRequest(folder_ + "never.avi", 2, false, false))));
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonNoCamera, reason);
}

}  // namespace
