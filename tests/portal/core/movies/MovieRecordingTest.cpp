// Movie recording on fakes: the records a start sends from the movie
// properties, refusals and refused starts with their explanations, and
// what a stop does with the capture file, the queued progress reports and
// an engine that died.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "ComponentRig.h"
#include "PortalContract.h"
#include "Sequences.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "core/movies/MovieRecording.h"
#include "core/movies/SaveProgress.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ModuleState.h"
#include "server/ResourceModule.h"

namespace {

using namespace engine;
using namespace testing_support;
using Lines = std::vector<std::string>;

constexpr LONG kIv50 = 0x30355649;

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The explanation as the view shows it, from the real resource module.
std::string ErrorLine(UINT id, const std::vector<std::wstring>& arguments = {}) {
  return "Error " + common::WideToAnsi(portal::FormatTargetMessage(portal::LoadResourceString(id), arguments));
}

// A prepared control's movie recording on fakes: a connected camera, no
// recording anywhere, the camera "Desk" remembered.
struct Rig : ComponentRig {
  common::UniqueModule texts{::LoadLibraryExW(L"LTovra2.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE)};
  std::wstring target = TempPath(L"movie-test-target.avi");

  Rig() : ComponentRig(L"MovieTest") {
    portal::ModuleState::SetResourceModule(texts.get());
    engine.OnInquire(kCmdConnected).Returns(LONG{1});
    Recording(0);
    CameraRecord camera = {};
    camera.size = sizeof(camera);
    std::strcpy(camera.name, "Desk");
    engine.OnInquire(kCmdRememberedCamera).Returns(camera);
    ::DeleteFileW(target.c_str());
  }
  ~Rig() { portal::ModuleState::SetResourceModule(nullptr); }
  void Recording(LONG active) {
    engine.OnInquire(kCmdMovie, kMovieState).Returns(RecordingStateRecord{sizeof(RecordingStateRecord), 3, active});
  }
  EngineCall MovieCall(size_t index) const { return engine.CallsOf(EngineOp::kExecute, kCmdMovie).at(index); }
};

TEST(MovieRecording, StartSendsTheMoviePropertiesToTheEngine) {
  struct Case {
    const char* name;
    std::function<void(portal::MovieSettings&)> set;
    VideoCompressionRecord compression;
    AudioFormatRecord audio;
    std::int32_t period, mode, compressed, recordAudio, createFlags;
  };
  const Case cases[] = {
      {"defaults", [](portal::MovieSettings&) {}, {16, kIv50, -1, 15}, {24, 1, 11025, 8, 0, -1}, 66, 2, 1, 1, 3},
      {"uncompressed at 30 fps, audio quality put",
       [](portal::MovieSettings& s) { s.videoCompressionFourCC = 0, s.playbackFps = 30, s.audioQuality = 0; },
       {16, 0, -1, 15}, {24, 1, 11025, 8, 0, 0}, 33, 2, 0, 1, 3},
      {"rate 0, frame by frame, stereo, no sound",
       [](portal::MovieSettings& s) {
         s.playbackFps = 0, s.recordMode = 3, s.audioChannels = 2, s.audioBitsPerSample = 16, s.recordAudio = 0;
         s.createFlags = 7, s.videoQuality = 5000, s.keyFrameInterval = 1;
       },
       {16, kIv50, 5000, 1}, {24, 2, 11025, 16, 0, -1}, 0, 3, 1, 0, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    c.set(rig.movies.Settings());
    ASSERT_TRUE(rig.movies.Start(rig.target, std::wstring(300, L's')));
    EXPECT_TRUE(MatchSequence("engine calls", rig.engine.Calls(),
                              std::vector<ExpectedEngineCall>{Inquire(kCmdConnected), Inquire(kCmdConnected),
                                                              Inquire(kCmdMovie, kMovieState),
                                                              Execute(kCmdMovie, kMovieCompression),
                                                              Execute(kCmdMovie, kMovieAudioFormat),
                                                              Execute(kCmdMovie, kMovieStart)}));
    EXPECT_EQ(0, std::memcmp(&c.compression, rig.MovieCall(0).input.data(), sizeof(c.compression)));
    EXPECT_EQ(0, std::memcmp(&c.audio, rig.MovieCall(1).input.data(), sizeof(c.audio)));
    ASSERT_EQ(sizeof(MovieRequestRecord), rig.MovieCall(2).input.size());
    const auto request = rig.MovieCall(2).InputAs<MovieRequestRecord>();
    EXPECT_EQ((std::vector<std::int32_t>{c.period, c.mode, c.compressed, c.recordAudio, c.createFlags}),
              (std::vector<std::int32_t>{request.framePeriodMs, request.recordMode, request.compression,
                                         request.recordAudio, request.createFlags}));
    EXPECT_EQ(std::string(255, 's'), request.textStamp) << "cut to the field";
    const std::wstring capture = common::AnsiToWide(request.captureFile);
    EXPECT_EQ(0u, capture.find(TempPath(L"vx"))) << request.captureFile;
    EXPECT_EQ(capture.size() - 4, capture.rfind(L".avi"));
    EXPECT_TRUE(MatchSequence("view", rig.view.actions, Lines{"LayOut"}));
  }
}

// Refusals run the target check with the remembered camera and explain
// always; a start the engine refuses is explained by its reason (a single
// frame only for the known reasons). With the prompt off nothing is shown.
TEST(MovieRecording, RefusalsAndRefusedStartsAreExplained) {
  struct Case {
    const char* name;
    LONG connected, recording, rememberedState, prompt, engineReason;  // reason 0: the engine is not asked
    UINT start, singleFrame;                                          // the explanation, 0: none
  };
  const Case cases[] = {
      {"no camera", 0, 0, kCameraReady, 1, 0, IDS_MOVIE_FAILED, IDS_MOVIE_FAILED},
      {"no camera, the remembered one gone", 0, 0, kCameraGone, 1, 0, IDS_MOVIE_CAMERA_GONE, IDS_MOVIE_CAMERA_GONE},
      {"another client records", 1, 1, kCameraReady, 1, 0, IDS_MOVIE_NOT_NOW, IDS_MOVIE_NOT_NOW},
      {"another client records, prompt off", 1, 1, kCameraReady, 0, 0, 0, 0},
      {"engine: no camera", 1, 0, kCameraReady, 1, kReasonNoCamera, IDS_MOVIE_START_NO_CAMERA,
       IDS_MOVIE_START_NO_CAMERA},
      {"engine: busy", 1, 0, kCameraReady, 1, kReasonBusy, IDS_MOVIE_START_BUSY, IDS_MOVIE_START_BUSY},
      {"engine: file", 1, 0, kCameraReady, 1, kReasonFile, IDS_MOVIE_START_FILE_ERROR, IDS_MOVIE_START_FILE_ERROR},
      {"engine: another reason", 1, 0, kCameraReady, 1, 4321, IDS_MOVIE_FAILED, 0},
  };
  for (const Case& c : cases) {
    for (bool singleFrame : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (singleFrame ? ", single frame" : ""));
      Rig rig;
      rig.engine.OnInquire(kCmdConnected).Returns(c.connected);
      rig.Recording(c.recording);
      CameraRecord camera = {};
      camera.size = sizeof(camera);
      camera.state = c.rememberedState;
      rig.engine.OnInquire(kCmdRememberedCamera).Returns(camera);
      rig.engine.OnExecute(kCmdMovie, kMovieStart).Fails();
      rig.engine.OnInquire(kCmdLastFailure).Returns(c.engineReason);
      rig.movies.Settings().errorPrompt = c.prompt;
      EXPECT_FALSE(singleFrame ? rig.movies.WriteSingleFrame(rig.target, L"") : rig.movies.Start(rig.target, L""));
      EXPECT_EQ(c.engineReason != 0, !rig.engine.CallsOf(EngineOp::kExecute, kCmdMovie).empty());
      const UINT shown = singleFrame ? c.singleFrame : c.start;
      const bool namesTarget = shown < IDS_MOVIE_START_NO_CAMERA || shown > IDS_MOVIE_START_BUSY;
      EXPECT_TRUE(MatchSequence("view", rig.view.actions,
                                shown ? Lines{ErrorLine(shown, namesTarget ? std::vector<std::wstring>{rig.target}
                                                                          : std::vector<std::wstring>{})}
                                      : Lines{}));
      EXPECT_FALSE(rig.movies.RecordingLocal());
    }
  }
}

TEST(MovieRecording, StopFinishesTheMovieWheneverItCan) {
  struct Case {
    const char* name;
    HRESULT stop, save;
    bool targetFolderMissing, result, finished;
    const char* target;  // its content afterwards
  };
  const Case cases[] = {
      {"saved", S_OK, S_OK, false, true, true, "saved"},
      {"the save fails: moved as captured", S_OK, E_FAIL, false, true, true, "captured"},
      {"neither save nor move: kept", S_OK, E_FAIL, true, false, true, ""},
      {"the engine refuses the stop", E_FAIL, S_OK, false, false, false, ""},
      {"the engine is gone", HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), S_OK, false, true, true, "saved"},
      {"the engine disconnected", RPC_E_DISCONNECTED, E_FAIL, false, true, true, "captured"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    if (c.targetFolderMissing) rig.target = TempPath(L"no-such-folder\\movie.avi");
    ASSERT_TRUE(rig.movies.Start(rig.target, L""));
    const std::string capture = rig.MovieCall(2).InputAs<MovieRequestRecord>().captureFile;
    std::ofstream(capture, std::ios::binary) << "captured";
    rig.engine.OnExecute(kCmdMovie, kMovieStop).Fails(c.stop);
    rig.postProcessor.answer = c.save;
    for (WPARAM frames : {5, 6, 7}) rig.view.Queue(kMsgRecordingProgress, frames, frames * 100);
    rig.view.actions.clear();

    EXPECT_EQ(c.result, rig.movies.Stop());
    EXPECT_EQ(c.finished ? 1u : 0u, rig.postProcessor.saves.size());
    EXPECT_EQ(c.target, FileText(common::WideToAnsi(rig.target)));
    EXPECT_EQ(c.finished ? 0 : 3, rig.view.Queued(kMsgRecordingProgress));
    EXPECT_TRUE(MatchSequence("notifications", rig.events.fired,
                              c.finished ? std::vector<FiredNotification>{Fired(tovra2::kNotifyRecordingProgress, 0, 7, 700)}
                                         : std::vector<FiredNotification>{}));
    EXPECT_EQ(c.targetFolderMissing || !c.finished, !FileText(capture).empty()) << "the capture file is the movie";
    Lines view;
    // A stop that found the engine gone also tells the control's window.
    if (portal::IsEngineGone(c.stop)) view.push_back(FakeWindowView::Post(portal::kMsgEngineGone));
    if (c.targetFolderMissing) view.push_back(ErrorLine(IDS_MOVIE_KEPT, {rig.target, common::AnsiToWide(capture)}));
    if (c.finished) view.push_back("LayOut");
    EXPECT_TRUE(MatchSequence("view", rig.view.actions, view));
    ::DeleteFileA(capture.c_str());
    ::DeleteFileW(rig.target.c_str());
  }
}

TEST(SaveProgress, ShowsOnceWhenTheSaveTakesLong) {
  portal::SaveProgress progress(0);
  const struct { int percent; DWORD now; bool shown; } steps[] = {
      {10, 1000, false}, {20, 2000, false}, {85, 2500, false}, {30, 2001, true}, {40, 3000, false}};
  for (const auto& s : steps) EXPECT_EQ(s.shown, progress.ShowAt(s.percent, s.now)) << s.percent << "% at " << s.now;
}

}  // namespace
