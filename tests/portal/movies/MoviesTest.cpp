// Movies through the control with the real camera engine, called late
// bound as the application calls them. Every movie stays in
// "portal-movies" with a "<movie>.expect" file; check_portal_movies.sh then
// reads each one with ffprobe and decodes it with ffmpeg.
//
// Where Wine 8's AVIFile deviates, the Windows behaviour is expected and the
// deviation stated:
// - EditStreamCopy refuses audio streams (AVIERR_UNSUPPORTED) and MJPEG
//   video (AVIERR_BADFORMAT): the post-processing ends there and the movie
//   reaches its target as it was captured; on Windows it is AVISaveV's copy.
// - For uncompressed video EditStreamCopy answers the editable stream
//   itself, with no reference of its own and references on the source that
//   nothing releases; every uncompressed save below goes through that, and
//   TearDown finds no capture file left open and undeleted.
// - AVISaveV writes a wrong main-header frame period: the check reads the
//   period of every movie, the mended saved ones included.
// - An aborted AVISaveV leaves a truncated target: the abort test finds the
//   movie as it was captured there instead.
// - AVIFileExit does not undo AVIFileInit's OleInitialize (see OleTest).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "DialogWatch.h"
#include "HostedPortal.h"
#include "MovieExpectation.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "WineTodo.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "engine/interface/EngineRecords.h"

namespace {

namespace dispid = tovra2::dispid;
using portal_test::DialogWatch;
using testing_support::RunningOnWine;
using testing_support::Variant;

constexpr LONG kIv50 = 0x30355649;  // the default codec; the engine records it as MJPEG
constexpr unsigned kFrames = 8;

std::wstring Folder() {
  static bool emptied = false;
  ::CreateDirectoryW(L"portal-movies", nullptr);
  wchar_t full[MAX_PATH] = {};
  ::GetFullPathNameW(L"portal-movies\\", MAX_PATH, full, nullptr);
  WIN32_FIND_DATAW found = {};
  common::UniqueFind find(emptied ? INVALID_HANDLE_VALUE : ::FindFirstFileW((std::wstring(full) + L"*.*").c_str(), &found));
  for (BOOL more = find.valid(); more; more = ::FindNextFileW(find.get(), &found)) {
    ::DeleteFileW((std::wstring(full) + found.cFileName).c_str());
  }
  emptied = true;
  return full;
}

// The capture files the control leaves in the temporary folder.
int CaptureFiles() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  WIN32_FIND_DATAW found = {};
  common::UniqueFind find(::FindFirstFileW((std::wstring(folder) + L"vx*.avi").c_str(), &found));
  int count = find.valid() ? 1 : 0;
  while (count && ::FindNextFileW(find.get(), &found)) ++count;
  return count;
}

using testing_support::Expected;
using testing_support::ExpectMovie;

// Saved on Windows; the capture file itself under Wine (see above).
const char* SavedOnWindows() { return RunningOnWine() ? "captured" : "saved"; }

class Movies : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    portal_ = std::make_unique<portal_test::HostedPortal>();
    ASSERT_TRUE(portal_->Active());
    ASSERT_EQ(1, portal_->Prepare(L"Software\\Velkor\\MovieTests"));
    ASSERT_EQ(1, portal_->Call(dispid::kConnectCamera2, {}));
    captures_ = CaptureFiles();
  }
  void TearDown() override {
    Stop();
    portal_.reset();
    EXPECT_EQ(captures_, CaptureFiles()) << "no capture file is left behind";
    OleTest::TearDown();
  }

  std::wstring Movie(const wchar_t* name) { return Folder() + name; }
  void Configure(LONG codec, LONG audio, LONG fps, LONG mode = engine::kRecordModeTimed) {
    portal_->Put(dispid::kMovieVideoCompressionFOURCC, codec);
    portal_->Put(dispid::kMovieRecordAudio, audio);
    portal_->Put(dispid::kMoviePlaybackFPS, fps);
    portal_->Put(dispid::kMovieRecordMode, mode);
  }
  LONG Start(const std::wstring& target, DISPID member = dispid::kStartMovieRecording) {
    std::vector<Variant> args;
    args.emplace_back(target.c_str());
    args.emplace_back(L"");
    return portal_->Call(member, std::move(args));
  }
  LONG Stop() { return portal_->Call(dispid::kStopMovieRecording, {}); }
  unsigned FramesWritten() {
    engine::RecordingStateRecord state = {sizeof(state), 0, 0};
    return portal_->Inquiry(engine::kCmdMovie, engine::kMovieState, &state, sizeof(state)) == 0 ? state.framesWritten
                                                                                                : 0;
  }
  // Starts and waits for kFrames; the frames written by then.
  unsigned StartAndRecord(const std::wstring& target) {
    EXPECT_EQ(1, Start(target));
    EXPECT_TRUE(portal_->PumpUntil([&] { return FramesWritten() >= kFrames; }, 10000));
    return FramesWritten();
  }
  bool Fired(LONG code, LONGLONG param1) {
    for (const auto& n : portal_->Events()) {
      if (n.point == "default" && n.msg == code && n.p1 == param1) return true;
    }
    return false;
  }

  std::unique_ptr<portal_test::HostedPortal> portal_;
  int captures_ = 0;
};

TEST_F(Movies, TimedMoviesWithAndWithoutSound) {
  const struct {
    const wchar_t* name;
    LONG codec, audio, fps, channels, rate, bits;
    Expected expected;
  } cases[] = {
      {L"dib-sound.avi", 0, 1, 15, 1, 11025, 8, {2, "rawvideo", "pcm_u8 11025 1", 66, SavedOnWindows()}},
      {L"dib-30fps.avi", 0, 0, 30, 1, 11025, 8, {1, "rawvideo", nullptr, 33, "saved"}},
      {L"default-codec.avi", kIv50, 0, 15, 1, 11025, 8, {1, "mjpeg", nullptr, 66, SavedOnWindows()}},
      {L"mjpeg-stereo.avi", kIv50, 1, 30, 2, 22050, 16, {2, "mjpeg", "pcm_s16le 22050 2", 33, SavedOnWindows()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(common::WideToAnsi(c.name));
    Configure(c.codec, c.audio, c.fps);
    portal_->Put(dispid::kMovieAudioChannels, c.channels);
    portal_->Put(dispid::kMovieAudioSamplesPerSecond, c.rate);
    portal_->Put(dispid::kMovieAudioBitsPerSample, c.bits);
    const unsigned frames = StartAndRecord(Movie(c.name));
    EXPECT_EQ(1, Stop());
    EXPECT_EQ(0, portal_->Get(dispid::kMovieRecordingActiveLocal));
    ExpectMovie(Movie(c.name), c.expected, frames);
  }
}

// Exactly one frame per step; a single frame even in the timed mode, in a
// file the engine wrote straight into its target.
TEST_F(Movies, FramesOnRequest) {
  Configure(0, 0, 15, engine::kRecordModeFrameByFrame);
  ASSERT_EQ(1, Start(Movie(L"five-steps.avi")));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(1, portal_->Call(dispid::kStepCaptureAddFrame, {}));
  EXPECT_EQ(1, Stop());
  EXPECT_EQ(0, portal_->Call(dispid::kStepCaptureAddFrame, {})) << "no recording to add to";
  ExpectMovie(Movie(L"five-steps.avi"), {1, "rawvideo", nullptr, 66, "saved"}, 5, true);
  Configure(kIv50, 0, 15);
  EXPECT_EQ(1, Start(Movie(L"single.avi"), dispid::kMovieRecordWriteSingleFrame));
  EXPECT_EQ(0, portal_->Get(dispid::kMovieRecordingActiveGlobal));
  ExpectMovie(Movie(L"single.avi"), {1, "mjpeg", nullptr, 66, "captured"}, 1, true);
}

TEST_F(Movies, SecondStartIsRefusedAndAStopWithoutRecordingTouchesNothing) {
  const std::wstring unused = Movie(L"unused.avi");
  std::ofstream(common::WideToAnsi(unused)) << "untouched";
  EXPECT_EQ(1, Stop());
  Configure(0, 0, 15);
  const unsigned frames = StartAndRecord(Movie(L"first.avi"));
  {
    DialogWatch watch;
    EXPECT_EQ(0, Start(unused));
    ASSERT_EQ(1, watch.MessageBoxes());
    EXPECT_NE(std::wstring::npos, watch.Texts()[0].find(unused)) << common::WideToAnsi(watch.Texts()[0]);
    portal_->Put(dispid::kEnableMovieRecordErrorPrompt, 0);
    EXPECT_EQ(0, Start(unused, dispid::kMovieRecordWriteSingleFrame));
    EXPECT_EQ(1, watch.MessageBoxes()) << "none with the prompt off";
  }
  EXPECT_EQ(1, portal_->Get(dispid::kMovieRecordingActiveLocal)) << "the first recording runs on";
  EXPECT_EQ(1, Stop());
  std::ifstream in(common::WideToAnsi(unused));
  EXPECT_EQ("untouched", std::string(std::istreambuf_iterator<char>(in), {}));
  ExpectMovie(Movie(L"first.avi"), {1, "rawvideo", nullptr, 66, "saved"}, frames);
}

// Neither the save nor the move can write into a missing folder: the
// capture file is the movie, and the user is told where it is.
TEST_F(Movies, UnwritableTargetKeepsTheCapturedMovie) {
  Configure(0, 0, 15);
  DialogWatch watch;
  const unsigned frames = StartAndRecord(Movie(L"no-such-folder\\kept.avi"));
  EXPECT_EQ(0, Stop());
  ASSERT_EQ(1, watch.MessageBoxes());
  const std::wstring& text = watch.Texts()[0];
  const size_t end = text.rfind(L'"'), start = text.rfind(L'"', end - 1) + 1;
  ASSERT_TRUE(::MoveFileW(text.substr(start, end - start).c_str(), Movie(L"kept.avi").c_str()))
      << common::WideToAnsi(text);
  ExpectMovie(Movie(L"kept.avi"), {1, "rawvideo", nullptr, 66, "captured"}, frames);
}

TEST_F(Movies, ClosingTheProgressWindowKeepsTheMovieAsCaptured) {
  Configure(0, 0, 15);
  const unsigned frames = StartAndRecord(Movie(L"aborted.avi"));
  DialogWatch watch;
  watch.OnCreated([](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); });
  EXPECT_EQ(1, Stop());
  EXPECT_EQ(1, watch.QuietDialogs()) << "the progress window";
  EXPECT_FALSE(watch.AnyDialogLeft());
  ExpectMovie(Movie(L"aborted.avi"), {1, "rawvideo", nullptr, 66, "captured"}, frames);
}

TEST_F(Movies, UnpluggedCameraEndsTheMovieAtItsTarget) {
  Configure(0, 1, 15);
  const unsigned frames = StartAndRecord(Movie(L"unplugged.avi"));
  DialogWatch watch;  // answers the explanation of the ended recording
  EXPECT_EQ(0, portal_->Scenario(engine::kScenarioUnplug, 0));
  EXPECT_TRUE(portal_->PumpUntil([&] {
    return Fired(tovra2::kNotifyRecordingEnded, engine::kRecordingEndCameraLost) && Fired(tovra2::kNotifyCameraGone, 0);
  }));
  EXPECT_EQ(0, portal_->Scenario(engine::kScenarioReplug, 0));
  ASSERT_EQ(1, watch.MessageBoxes()) << "the target check names the camera that went away";
  EXPECT_NE(std::wstring::npos, watch.Texts()[0].find(L"Synthetic Camera")) << common::WideToAnsi(watch.Texts()[0]);
  ExpectMovie(Movie(L"unplugged.avi"), {2, "rawvideo", "pcm_u8 11025 1", 66, SavedOnWindows()}, frames);
}

TEST_F(Movies, SizeLimitEndsTheMovieWithWhatWasWritten) {
  ASSERT_EQ(0, portal_->Scenario(engine::kScenarioMovieLimit, 2000000));  // about eight 320 x 240 frames
  Configure(0, 0, 15);
  ASSERT_EQ(1, Start(Movie(L"size-limit.avi")));
  EXPECT_TRUE(
      portal_->PumpUntil([&] { return Fired(tovra2::kNotifyRecordingEnded, engine::kRecordingEndDiskFull); }, 10000));
  EXPECT_EQ(0, portal_->Get(dispid::kMovieRecordingActiveLocal));
  ExpectMovie(Movie(L"size-limit.avi"), {1, "rawvideo", nullptr, 66, "saved"}, 6);
}

// AVIFile reads only the first RIFF part of an OpenDML movie, so a long
// movie reaches its target as it was captured, every part of it.
TEST_F(Movies, LongMovieKeepsEveryFramePastTheFirstRiffPart) {
  ASSERT_EQ(0, portal_->Scenario(engine::kScenarioRiffLimit, 1000000));  // about four 320 x 240 frames a part
  Configure(0, 1, 15);
  ASSERT_EQ(1, Start(Movie(L"long.avi")));
  EXPECT_TRUE(portal_->PumpUntil([&] { return FramesWritten() >= 16; }, 10000));
  const unsigned frames = FramesWritten();
  EXPECT_EQ(1, Stop());
  ExpectMovie(Movie(L"long.avi"), {2, "rawvideo", "pcm_u8 11025 1", 66, "captured"}, frames, false, 3);
}

// Last: the engine process dies two seconds into a recording.
TEST_F(Movies, KilledEngineLeavesAPlayableMovie) {
  Configure(0, 0, 15);
  ASSERT_EQ(1, Start(Movie(L"engine-killed.avi")));
  portal_->PumpFor(2000);
  const unsigned frames = FramesWritten();
  EXPECT_GE(frames, 20u);
  ASSERT_GT(portal_test::KillCameraEngines(), 0);
  EXPECT_EQ(1, Stop());
  ExpectMovie(Movie(L"engine-killed.avi"), {1, "rawvideo", nullptr, 66, nullptr}, frames);
}

}  // namespace
