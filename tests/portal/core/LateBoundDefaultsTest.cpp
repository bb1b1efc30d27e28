// A freshly created control with no camera engine, called the way a
// late-bound client calls it: IDispatch::Invoke by DISPID. Methods yield
// result 0 and leave outputs untouched; properties store what is put and
// start at their defaults.
#include <gtest/gtest.h>

#include <vector>

#include "DispatchCall.h"
#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"

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
    const char* name;
    DISPID id;
    std::vector<Variant> args;
  };
  std::vector<Case> cases;
  cases.push_back({"PrepareControl", 1, Args(Variant(L"Torvane"), Variant(L"Software\\X"), Variant(0L))});
  cases.push_back({"GetCameraCount", 2, Args(Variant::ByRef(&a))});
  cases.push_back({"GetCameraDescription", 3, Args(Variant(0L), Variant::ByRef(&text))});
  cases.push_back({"GetCameraType", 4, Args(Variant(0L), Variant::ByRef(&a))});
  cases.push_back({"QueryCameraConnected", 5, Args(Variant(0L), Variant::ByRef(&a))});
  cases.push_back({"ConnectCamera", 8, Args(Variant(0L))});
  cases.push_back({"ConnectCamera2", 9, Args()});
  cases.push_back({"DisconnectCamera", 10, Args()});
  cases.push_back({"LoadRegistrySettings", 11, Args(Variant(L""))});
  cases.push_back({"SaveRegistrySettings", 12, Args(Variant(L""))});
  cases.push_back({"SetCameraPropertyLong", 13, Args(Variant(19L), Variant(-1L))});
  cases.push_back({"GetCameraPropertyLong", 14, Args(Variant(19L), Variant::ByRef(&a))});
  cases.push_back({"PictureToFile", 15, Args(Variant(0L), Variant(24L), Variant(L"c:\\x.bmp"), Variant(L""))});
  cases.push_back({"PictureToMemory", 16,
                   Args(Variant(0L), Variant(24L), Variant::Pointer(0), Variant::ByRef(&a), Variant(L""))});
  cases.push_back({"StartMovieRecording", 17, Args(Variant(L"c:\\x.avi"), Variant(L""))});
  cases.push_back({"StopMovieRecording", 18, Args()});
  cases.push_back({"StepCaptureAddFrame", 19, Args()});
  cases.push_back({"MovieRecordWriteSingleFrame", 20, Args(Variant(L"c:\\x.avi"), Variant(L""))});
  cases.push_back({"SetVideoFormat", 22, Args(Variant(640L), Variant(480L), Variant(24L), Variant(0L))});
  cases.push_back({"GetVideoFormat", 23, Args(Variant::ByRef(&a), Variant::ByRef(&b), Variant::ByRef(&c),
                                              Variant::ByRef(&d))});
  cases.push_back({"ShowCameraDlg(3)", 24, Args(Variant(3L))});
  cases.push_back({"StartVideoHook", 26, Args(Variant(0L))});
  cases.push_back({"StopVideoHook", 27, Args(Variant(0L))});
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
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
  EXPECT_EQ(S_OK, Call(6, Args(Variant::ByRef(&index)), &result));
  EXPECT_EQ(0, result.AsLong());
  EXPECT_EQ(-1, index);
  CallResult stateResult;
  EXPECT_EQ(S_OK, Call(7, Args(Variant(0L), Variant::ByRef(&state)), &stateResult));
  EXPECT_EQ(0, stateResult.AsLong());
  EXPECT_EQ(10, state);
  EXPECT_EQ(0, Get(30));   // CameraConnected
  EXPECT_EQ(-1, Get(31));  // CameraIndex
  EXPECT_EQ(10, Get(48));  // CameraState
}

TEST_F(LateBoundDefaults, EngineStatusCallsAndErrorState) {
  CallResult send, query;
  EXPECT_EQ(S_OK, Call(28, Args(Variant(1L), Variant(0L), Variant(0L), Variant::Pointer(0), Variant(0L),
                                Variant::Pointer(0), Variant(0L)), &send));
  EXPECT_EQ(1, send.AsLong());
  EXPECT_EQ(S_OK, Call(29, Args(Variant(13L), Variant(0L), Variant(0L), Variant::Pointer(0), Variant(0L),
                                Variant::Pointer(0), Variant(0L)), &query));
  EXPECT_EQ(1, query.AsLong());
  LONG error = kUntouched;
  CallResult lastError;
  EXPECT_EQ(S_OK, Call(21, Args(Variant::ByRef(&error)), &lastError));
  EXPECT_EQ(0, error);
  EXPECT_EQ(VT_EMPTY, V_VT(&lastError.value));  // no retval
}

TEST_F(LateBoundDefaults, CameraDialogsAnswerOneWithoutEngine) {
  for (LONG dialog : {1L, 2L}) {
    CallResult result;
    EXPECT_EQ(S_OK, Call(24, Args(Variant(dialog)), &result));
    EXPECT_EQ(1, result.AsLong()) << dialog;
  }
}

TEST_F(LateBoundDefaults, UserInterfaceElements) {
  struct Case {
    LONG element;
    LONG expected;
  } cases[] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 0}, {6, 1}, {7, 1}, {8, 1},
               {9, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 0}, {99, 0}, {-1, 0}};
  for (const Case& c : cases) {
    CallResult result;
    EXPECT_EQ(S_OK, Call(25, Args(Variant(c.element), Variant(0L), Variant(1L)), &result));
    EXPECT_EQ(c.expected, result.AsLong()) << "element " << c.element;
  }
}

TEST_F(LateBoundDefaults, PropertyDefaults) {
  struct Case {
    DISPID id;
    LONG expected;
  } cases[] = {
      {33, 0},           {34, 0x30355649},  // EnablePreview, "IV50"
      {35, 15},          {36, -1},         {37, 15},  {38, 11025}, {39, 1}, {40, 8}, {41, 0}, {42, 0},
      {43, 1},           {44, 2},          {45, 3},   {46, 0},     {47, 0}, {49, 1}, {50, 1}, {52, 320},
      {53, 240},         {54, 0},          {55, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Get(c.id)) << "dispid " << c.id;
}

TEST_F(LateBoundDefaults, PutsAreStoredAndReadBack) {
  const DISPID stored[] = {33, 34, 35, 36, 37, 38, 39, 40, 43, 44, 45, 49, 50, 52, 53};
  LONG value = 1000;
  for (DISPID id : stored) {
    EXPECT_EQ(S_OK, Put(id, ++value));
    EXPECT_EQ(value, Get(id)) << "dispid " << id;
  }
  // Audio compression is fixed: any value put reads back as 0.
  for (DISPID id : {41, 42}) {
    EXPECT_EQ(S_OK, Put(id, 0x12345678));
    EXPECT_EQ(0, Get(id)) << "dispid " << id;
  }
}

TEST_F(LateBoundDefaults, PictureSoundRoundTripsAsText) {
  std::vector<Variant> args;
  args.emplace_back(L"c:\\sounds\\click.wav");
  EXPECT_EQ(S_OK, testing_support::Invoke(control_.get(), 32, DISPATCH_PROPERTYPUT, args, nullptr));
  std::vector<Variant> none;
  CallResult result;
  ASSERT_EQ(S_OK, testing_support::Invoke(control_.get(), 32, DISPATCH_PROPERTYGET, none, &result));
  ASSERT_EQ(VT_BSTR, V_VT(&result.value));
  EXPECT_STREQ(L"c:\\sounds\\click.wav", V_BSTR(&result.value));
}

TEST_F(LateBoundDefaults, NamesResolveToTheirDispids) {
  struct Case {
    const wchar_t* name;
    DISPID id;
  } cases[] = {{L"PrepareControl", 1}, {L"GetLastError", 21}, {L"Query", 29},
               {L"CameraConnected", 30}, {L"StatusBarText", 51}, {L"VideoHookStateLocal", 55}};
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
  EXPECT_EQ(S_FALSE, portal->EnableUIElements(5, 0, 1, &result));
  EXPECT_EQ(0, result);
  EXPECT_EQ(S_OK, portal->EnableUIElements(2, 0, 0, &result));
  EXPECT_EQ(1, result);
  EXPECT_EQ(S_OK, portal->Query(13, 0, 0, 0, 0, 0, 0, &result));
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
  BSTR face = nullptr;
  EXPECT_EQ(S_OK, early->get_TextStampFontName(&face));
  EXPECT_STREQ(L"MS Sans Serif", face);
  ::SysFreeString(face);
  EXPECT_EQ(S_FALSE, early->Reserved80(&value));
  EXPECT_EQ(0, value);
  // System colour indexes are translated to RGB on put.
  EXPECT_EQ(S_OK, early->put_TextStampColor2(static_cast<LONG>(0x80000000 | COLOR_WINDOW)));
  EXPECT_EQ(S_OK, early->get_TextStampColor2(&value));
  EXPECT_EQ(static_cast<LONG>(::GetSysColor(COLOR_WINDOW)), value);
}

}  // namespace
