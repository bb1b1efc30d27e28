// The engine process killed in the middle of a recording: the capture file
// as it lies on disk holds every frame the engine had reported, and the
// system's AVIFile services read it (check_engine_movies.sh then checks
// that ffprobe finds the same frames and ffmpeg decodes them). Runs in an
// executable of its own, because it ends the engine its clients share.
#include <gtest/gtest.h>

#include <objbase.h>
#include <vfw.h>

#include <vector>

#include "EngineClient.h"
#include "EngineMovieFiles.h"

using namespace engine;

namespace {

class EngineKilledWhileRecording : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { ::CoUninitialize(); }
};

// Kills the engine process of client (its id from inquiry 1010).
void KillEngine(const engine_test::EngineClient& client) {
  std::uint32_t info[4] = {};
  ASSERT_EQ(S_OK, client.Inq(kScenarioProcessInfo, 0, nullptr, 0, info, sizeof(info)));
  common::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, info[0]));
  ASSERT_TRUE(process.valid());
  ASSERT_TRUE(::TerminateProcess(process.get(), 1));
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 5000));
}

TEST_F(EngineKilledWhileRecording, TheCaptureFileKeepsTheFramesRecordedSoFar) {
  const std::string path = engine_test::MovieFolder() + "killed.avi";
  MSG progress{};
  {
    engine_test::EngineClient client;
    engine_test::MessageSink sink;
    ASSERT_NO_FATAL_FAILURE(engine_test::StartTimedRecording(client, sink, path, AudioFormatRecord{24, 2, 22050, 16, 0, 0}));
    // Two seconds in: the second progress report, then the kill.
    for (int i = 0; i < 300 && sink.Count(kMsgRecordingProgress) < 2; ++i) sink.Pump(20);
    ASSERT_EQ(2u, sink.Count(kMsgRecordingProgress));
    for (const MSG& m : sink.Pump(0)) {
      if (m.message == kMsgRecordingProgress) progress = m;
    }
    ASSERT_NO_FATAL_FAILURE(KillEngine(client));
    long count = 0;
    EXPECT_TRUE(FAILED(client.InqLong(kCmdCameraCount, 0, &count)));
  }
  const auto reported = static_cast<LONG>(progress.wParam);
  ASSERT_GT(reported, 10);

  ::AVIFileInit();
  {
    common::ComPtr<IAVIFile> file;
    ASSERT_EQ(0, ::AVIFileOpenA(file.put(), path.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr));
    common::ComPtr<IAVIStream> video, audio;
    ASSERT_EQ(0, ::AVIFileGetStream(file.get(), video.put(), streamtypeVIDEO, 0));
    ASSERT_EQ(0, ::AVIFileGetStream(file.get(), audio.put(), streamtypeAUDIO, 0));
    const LONG frames = ::AVIStreamLength(video.get());
    EXPECT_GE(frames, reported) << "every frame reported before the kill";
    std::vector<BYTE> buffer(320 * 240 * 3);
    LONG bytes = 0;
    EXPECT_EQ(0, ::AVIStreamRead(video.get(), frames - 1, 1, buffer.data(), static_cast<LONG>(buffer.size()), &bytes, nullptr));
    EXPECT_EQ(320 * 240 * 3, bytes) << "the last frame reads back whole";
    // The sound of every frame, 22050 samples a second at 1000/66 frames.
    EXPECT_EQ(static_cast<LONG>(static_cast<std::int64_t>(frames) * 66 * 22050 / 1000), ::AVIStreamLength(audio.get()));
    engine_test::ExpectFrames(path, "at-least", static_cast<unsigned>(reported), false);
  }
  ::AVIFileExit();

  // A new engine serves the next client as usual.
  engine_test::EngineClient fresh;
  ASSERT_EQ(S_OK, fresh.Create());
  long count = 0;
  EXPECT_EQ(S_OK, fresh.InqLong(kCmdCameraCount, 0, &count));
}

}  // namespace
