// A full disk while the engine records: run under a file size limit of
// the process (ctest starts it under `ulimit -f`, which the engine it
// launches inherits), the capture file's write fails as on a full volume.
// The engine must end the recording with reason 1 and leave the frames
// written so far playable (check_engine_movies.sh reads them).
#include <gtest/gtest.h>

#include <objbase.h>

#include "EngineClient.h"
#include "EngineLaunch.h"
#include "EngineMovieFiles.h"

using namespace engine;

namespace {

TEST(EngineDiskFull, EndsTheRecordingWithReasonOneAndKeepsTheFrames) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  // The engine must be one this process starts, under its limit.
  ASSERT_TRUE(engine_test::EngineEndsWithin(20000)) << "an engine from before is still running";
  const std::string path = engine_test::MovieFolder() + "diskfull.avi";
  ::DeleteFileA(path.c_str());
  {
    engine_test::EngineClient client;
    engine_test::MessageSink sink;
    ASSERT_NO_FATAL_FAILURE(engine_test::StartTimedRecording(client, sink, path, AudioFormatRecord{24, 1, 11025, 8, 0, 0}));
    MSG ended{};
    ASSERT_TRUE(sink.WaitFor(kMsgRecordingEnded, 15000, &ended)) << "the limit of the process stops the file";
    EXPECT_EQ(1u, ended.wParam);
    RecordingStateRecord state{};
    ASSERT_EQ(S_OK, client.InqRecord(kCmdMovie, kMovieState, &state));
    EXPECT_EQ(0, state.active);
  }
  engine_test::ExpectFrames(path, "at-least", 2, false);
  ::CoUninitialize();
}

}  // namespace
