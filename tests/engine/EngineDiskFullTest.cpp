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

// This test needs an engine of its own, started under its limit.
bool NoEngineWithin(DWORD timeoutMs) {
  common::UniqueKernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kEngineInstanceMutexName));
  if (!mutex) return true;
  const DWORD wait = ::WaitForSingleObject(mutex.get(), timeoutMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return false;
  ::ReleaseMutex(mutex.get());
  return true;
}

TEST(EngineDiskFull, EndsTheRecordingWithReasonOneAndKeepsTheFrames) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ASSERT_TRUE(NoEngineWithin(20000)) << "an engine from before is still running";
  const std::string path = engine_test::MovieFolder() + "diskfull.avi";
  ::DeleteFileA(path.c_str());
  {
    engine_test::EngineClient client;
    engine_test::MessageSink sink;
    ASSERT_EQ(S_OK, client.Create());
    ASSERT_EQ(S_OK, client.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink.Window()))));
    ASSERT_EQ(S_OK, client.Connect(0));
    ASSERT_EQ(S_OK, client.ExecRecord(kCmdMovie, kMovieAudioFormat, AudioFormatRecord{24, 1, 11025, 8, 0, 0}));
    ASSERT_EQ(S_OK, client.ExecRecord(kCmdMovie, kMovieStart, engine_test::MovieRequest(path, 2, false, true)));
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
