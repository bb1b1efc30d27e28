// A freshly created control with no camera engine, called the way a
// late-bound client calls it: IDispatch::Invoke by DISPID. Methods yield
// result 0 and leave outputs untouched; properties store what is put and
// start at their defaults.
#include <gtest/gtest.h>

#include <vector>

#include "DispatchCall.h"
#include "PortalContract.h"
#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/UniqueBstr.h"
#include "engine/interface/EngineCommands.h"

namespace dispid = tovra2::dispid;

using common::ComPtr;
using testing_support::CallResult;
using testing_support::Variant;

namespace {

constexpr LONG kUntouched = 0x5A5A5A5A;

class LateBoundDefaults : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    control_ = portal_test::CreatePortal<IDispatch>();
    ASSERT_TRUE(control_);
  }
  void TearDown() override {
    control_.reset();
    OleTest::TearDown();
  }

  HRESULT Call(DISPID id, std::vector<Variant> args, CallResult* result) {
    return testing_support::Invoke(control_.get(), id, DISPATCH_METHOD, args, result);
  }
  LONG Get(DISPID id) {
    std::vector<Variant> none;
    CallResult result;
    EXPECT_EQ(S_OK, testing_support::Invoke(control_.get(), id, DISPATCH_PROPERTYGET, none, &result));
    return result.AsLong();
  }
  HRESULT Put(DISPID id, LONG value) {
    std::vector<Variant> args;
    args.emplace_back(value);
    return testing_support::Invoke(control_.get(), id, DISPATCH_PROPERTYPUT, args, nullptr);
  }

  ComPtr<IDispatch> control_;
};

std::vector<Variant> Args() { return {}; }
template <typename... T>
std::vector<Variant> Args(Variant first, T... rest) {
  std::vector<Variant> args;
  args.push_back(std::move(first));
  (args.push_back(std::move(rest)), ...);
  return args;
}

TEST_F(LateBoundDefaults, MethodsNeedingTheEngineYieldZeroAndLeaveOutputs) {
  LONG a = kUntouched, b = kUntouched, c = kUntouched, d = kUntouched;
  BSTR text = nullptr;
  struct Case {
    DISPID id;
    std::vector<Variant> args;
  };
  std::vector<Case> cases;
  cases.push_back({dispid::kPrepareControl, Args(Variant(L"Torvane"), Variant(L"Software\\X"), Variant(0L))});
  cases.push_back({dispid::kGetCameraCount, Args(Variant::ByRef(&a))});
  cases.push_back({dispid::kGetCameraDescription, Args(Variant(0L), Variant::ByRef(&text))});
  cases.push_back({dispid::kGetCameraType, Args(Variant(0L), Variant::ByRef(&a))});
  cases.push_back({dispid::kQueryCameraConnected, Args(Variant(0L), Variant::ByRef(&a))});
  cases.push_back({dispid::kConnectCamera, Args(Variant(0L))});
  cases.push_back({dispid::kConnectCamera2, Args()});
  cases.push_back({dispid::kDisconnectCamera, Args()});
  cases.push_back({dispid::kLoadRegistrySettings, Args(Variant(L""))});
  cases.push_back({dispid::kSaveRegistrySettings, Args(Variant(L""))});
  cases.push_back({dispid::kSetCameraPropertyLong, Args(Variant(engine::kPropMotionReport), Variant(-1L))});
  cases.push_back({dispid::kGetCameraPropertyLong, Args(Variant(engine::kPropMotionReport), Variant::ByRef(&a))});
  cases.push_back({dispid::kPictureToFile, Args(Variant(0L), Variant(24L), Variant(L"c:\\x.bmp"), Variant(L""))});
  cases.push_back({dispid::kPictureToMemory,
                   Args(Variant(0L), Variant(24L), Variant::Pointer(0), Variant::ByRef(&a), Variant(L""))});
  cases.push_back({dispid::kStartMovieRecording, Args(Variant(L"c:\\x.avi"), Variant(L""))});
  cases.push_back({dispid::kStopMovieRecording, Args()});
  cases.push_back({dispid::kStepCaptureAddFrame, Args()});
  cases.push_back({dispid::kMovieRecordWriteSingleFrame, Args(Variant(L"c:\\x.avi"), Variant(L""))});
  cases.push_back({dispid::kSetVideoFormat, Args(Variant(640L), Variant(480L), Variant(24L), Variant(0L))});
  cases.push_back(
      {dispid::kGetVideoFormat, Args(Variant::ByRef(&a), Variant::ByRef(&b), Variant::ByRef(&c), Variant::ByRef(&d))});
  cases.push_back({dispid::kShowCameraDlg, Args(Variant(3L))});  // the format sequence
  cases.push_back({dispid::kStartVideoHook, Args(Variant(0L))});
  cases.push_back({dispid::kStopVideoHook, Args(Variant(0L))});
  for (Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << tovra2::MemberNameOf(c.id));
    CallResult result;
    // Invoke reports success; the failure travels in the result.
    EXPECT_EQ(S_OK, Call(c.id, std::move(c.args), &result));
    EXPECT_EQ(0, result.AsLong());
  }
  EXPECT_EQ(kUntouched, a);
  EXPECT_EQ(kUntouched, b);
  EXPECT_EQ(kUntouched, c);
  EXPECT_EQ(kUntouched, d);
  EXPECT_EQ(nullptr, text);
}

TEST_F(LateBoundDefaults, PresetOutputsForIndexAndState) {
  LONG index = kUntouched, state = kUntouched;
  CallResult result;
  EXPECT_EQ(S_OK, Call(dispid::kQueryRegistryCameraIndex, Args(Variant::ByRef(&index)), &result));
  EXPECT_EQ(0, result.AsLong());
  EXPECT_EQ(tovra2::kNoCameraIndex, index);
  CallResult stateResult;
  EXPECT_EQ(S_OK, Call(dispid::kGetCameraState, Args(Variant(0L), Variant::ByRef(&state)), &stateResult));
  EXPECT_EQ(0, stateResult.AsLong());
  EXPECT_EQ(tovra2::kCameraStateUnreadable, state);
  EXPECT_EQ(0, Get(dispid::kCameraConnected));
  EXPECT_EQ(tovra2::kNoCameraIndex, Get(dispid::kCameraIndex));
  EXPECT_EQ(tovra2::kCameraStateUnreadable, Get(dispid::kCameraState));
}

TEST_F(LateBoundDefaults, EngineStatusCallsAndErrorState) {
  CallResult send, query;
  EXPECT_EQ(S_OK, Call(dispid::kSendCommand,
                       Args(Variant(engine::kCmdPrepare), Variant(0L), Variant(0L), Variant::Pointer(0), Variant(0L),
                            Variant::Pointer(0), Variant(0L)),
                       &send));
  EXPECT_EQ(1, send.AsLong());
  EXPECT_EQ(S_OK, Call(dispid::kQuery,
                       Args(Variant(engine::kCmdCameraCount), Variant(0L), Variant(0L), Variant::Pointer(0),
                            Variant(0L), Variant::Pointer(0), Variant(0L)),
                       &query));
  EXPECT_EQ(1, query.AsLong());
  LONG error = kUntouched;
  CallResult lastError;
  EXPECT_EQ(S_OK, Call(dispid::kGetLastError, Args(Variant::ByRef(&error)), &lastError));
  EXPECT_EQ(0, error);
  EXPECT_EQ(VT_EMPTY, V_VT(&lastError.value));  // no retval
}

TEST_F(LateBoundDefaults, CameraDialogsAnswerOneWithoutEngine) {
  for (LONG dialog : {tovra2::kCameraDlgEngine, tovra2::kCameraDlgControlPanel}) {
    CallResult result;
    EXPECT_EQ(S_OK, Call(dispid::kShowCameraDlg, Args(Variant(dialog)), &result));
    EXPECT_EQ(1, result.AsLong()) << dialog;
  }
}

TEST_F(LateBoundDefaults, UserInterfaceElements) {
  struct Case {
    LONG element;
    LONG expected;
  } cases[] = {{tovra2::kElementMenu640x480, 1},
               {tovra2::kElementMenu320x240, 1},
               {tovra2::kElementPreviewDuringPictures, 1},
               {tovra2::kElementStatusBar, 1},
               {tovra2::kElementFormatSequence, 1},
               {tovra2::kElementUnsupported, 0},
               {tovra2::kElementMenu160x120, 1},
               {tovra2::kElementBarOption, 1},
               {tovra2::kElementMenu240x180, 1},
               {tovra2::kElementMenu800x600, 1},
               {tovra2::kElementMenu1024x768, 1},
               {tovra2::kElementMenu1280x960, 1},
               {tovra2::kElementMenu1600, 1},
               {tovra2::kElementStillCapable, 1},
               {14, 0},  // unknown elements
               {99, 0},
               {-1, 0}};
  for (const Case& c : cases) {
    CallResult result;
    EXPECT_EQ(S_OK, Call(dispid::kEnableUIElements, Args(Variant(c.element), Variant(0L), Variant(1L)), &result));
    EXPECT_EQ(c.expected, result.AsLong()) << "element " << c.element;
  }
}

TEST_F(LateBoundDefaults, PropertyDefaults) {
  struct Case {
    DISPID id;
    LONG expected;
  } cases[] = {
      {dispid::kEnablePreview, 0},
      {dispid::kMovieVideoCompressionFOURCC, 0x30355649},  // "IV50"
      {dispid::kMovieVideoCompressionKeyFrameInterval, 15},
      {dispid::kMovieVideoCompressionQuality, -1},
      {dispid::kMoviePlaybackFPS, 15},
      {dispid::kMovieAudioSamplesPerSecond, 11025},
      {dispid::kMovieAudioChannels, 1},
      {dispid::kMovieAudioBitsPerSample, 8},
      {dispid::kMovieAudioCompressionFOURCC, 0},
      {dispid::kMovieAudioCompressionQuality, 0},
      {dispid::kMovieRecordAudio, 1},
      {dispid::kMovieRecordMode, 2},
      {dispid::kMovieCreateFlags, 3},
      {dispid::kMovieRecordingActiveLocal, 0},
      {dispid::kMovieRecordingActiveGlobal, 0},
      {dispid::kEnableMovieRecordErrorPrompt, 1},
      {dispid::kEnablePictureDiskErrorPrompt, 1},
      {dispid::kPreviewMaxWidth, 320},
      {dispid::kPreviewMaxHeight, 240},
      {dispid::kVideoHookStateGlobal, 0},
      {dispid::kVideoHookStateLocal, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Get(c.id)) << tovra2::MemberNameOf(c.id);
}

TEST_F(LateBoundDefaults, PutsAreStoredAndReadBack) {
  const DISPID stored[] = {dispid::kEnablePreview,
                           dispid::kMovieVideoCompressionFOURCC,
                           dispid::kMovieVideoCompressionKeyFrameInterval,
                           dispid::kMovieVideoCompressionQuality,
                           dispid::kMoviePlaybackFPS,
                           dispid::kMovieAudioSamplesPerSecond,
                           dispid::kMovieAudioChannels,
                           dispid::kMovieAudioBitsPerSample,
                           dispid::kMovieRecordAudio,
                           dispid::kMovieRecordMode,
                           dispid::kMovieCreateFlags,
                           dispid::kEnableMovieRecordErrorPrompt,
                           dispid::kEnablePictureDiskErrorPrompt,
                           dispid::kPreviewMaxWidth,
                           dispid::kPreviewMaxHeight};
  LONG value = 1000;
  for (DISPID id : stored) {
    EXPECT_EQ(S_OK, Put(id, ++value));
    EXPECT_EQ(value, Get(id)) << tovra2::MemberNameOf(id);
  }
  // Audio compression is fixed: any value put reads back as 0.
  for (DISPID id : {dispid::kMovieAudioCompressionFOURCC, dispid::kMovieAudioCompressionQuality}) {
    EXPECT_EQ(S_OK, Put(id, 0x12345678));
    EXPECT_EQ(0, Get(id)) << tovra2::MemberNameOf(id);
  }
}

TEST_F(LateBoundDefaults, PictureSoundRoundTripsAsText) {
  std::vector<Variant> args;
  args.emplace_back(L"c:\\sounds\\click.wav");
  EXPECT_EQ(S_OK, testing_support::Invoke(control_.get(), dispid::kPictureSound, DISPATCH_PROPERTYPUT, args, nullptr));
  std::vector<Variant> none;
  CallResult result;
  ASSERT_EQ(S_OK, testing_support::Invoke(control_.get(), dispid::kPictureSound, DISPATCH_PROPERTYGET, none, &result));
  ASSERT_EQ(VT_BSTR, V_VT(&result.value));
  EXPECT_STREQ(L"c:\\sounds\\click.wav", V_BSTR(&result.value));
}

TEST_F(LateBoundDefaults, NamesResolveToTheirDispids) {
  struct Case {
    const wchar_t* name;
    DISPID id;
  } cases[] = {{L"PrepareControl", dispid::kPrepareControl},
               {L"GetLastError", dispid::kGetLastError},
               {L"Query", dispid::kQuery},
               {L"CameraConnected", dispid::kCameraConnected},
               {L"StatusBarText", dispid::kStatusBarText},
               {L"VideoHookStateLocal", dispid::kVideoHookStateLocal}};
  for (const Case& c : cases) {
    LPOLESTR name = const_cast<LPOLESTR>(c.name);
    DISPID id = 0;
    EXPECT_EQ(S_OK, control_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(c.id, id);
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"NoSuchMember");
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, control_->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id));
}

// Early-bound callers see the portal result in the HRESULT as well:
// S_OK with 1, S_FALSE with 0.
TEST_F(LateBoundDefaults, VtableCallsPairTheResultWithItsHResult) {
  ComPtr<IVideoPortal> portal;
  ASSERT_EQ(S_OK, control_.As(&portal));
  LONG result = kUntouched;
  LONG count = kUntouched;
  EXPECT_EQ(S_FALSE, portal->GetCameraCount(&count, &result));
  EXPECT_EQ(0, result);
  EXPECT_EQ(kUntouched, count);
  EXPECT_EQ(S_FALSE, portal->EnableUIElements(tovra2::kElementUnsupported, 0, 1, &result));
  EXPECT_EQ(0, result);
  EXPECT_EQ(S_OK, portal->EnableUIElements(tovra2::kElementPreviewDuringPictures, 0, 0, &result));
  EXPECT_EQ(1, result);
  EXPECT_EQ(S_OK, portal->Query(engine::kCmdCameraCount, engine::kNoSubCode, 0, 0, 0, 0, 0, &result));
  EXPECT_EQ(1, result);
}

TEST_F(LateBoundDefaults, EarlyBoundTailKeepsTextStampDefaults) {
  ComPtr<IVideoPortalEarlyBound> early;
  ASSERT_EQ(S_OK, control_.As(&early));
  LONG value = 0;
  EXPECT_EQ(S_OK, early->get_TextStampColor(&value));
  EXPECT_EQ(0xFFFFFF, value);
  EXPECT_EQ(S_OK, early->get_TextStampFontSize(&value));
  EXPECT_EQ(10, value);
  EXPECT_EQ(S_OK, early->get_TextStampValue1(&value));
  EXPECT_EQ(1, value);
  EXPECT_EQ(S_OK, early->get_TextStampValue2(&value));
  EXPECT_EQ(1, value);
  common::UniqueBstr face;
  EXPECT_EQ(S_OK, early->get_TextStampFontName(face.put()));
  EXPECT_STREQ(L"MS Sans Serif", face.get());
  EXPECT_EQ(S_FALSE, early->Reserved80(&value));
  EXPECT_EQ(0, value);
  // System colour indexes are translated to RGB on put.
  EXPECT_EQ(S_OK, early->put_TextStampColor2(static_cast<LONG>(0x80000000 | COLOR_WINDOW)));
  EXPECT_EQ(S_OK, early->get_TextStampColor2(&value));
  EXPECT_EQ(static_cast<LONG>(::GetSysColor(COLOR_WINDOW)), value);
}

}  // namespace
