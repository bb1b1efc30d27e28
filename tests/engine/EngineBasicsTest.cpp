// Enumeration, connection and the inquiries around it, through real COM
// with CameraEngine.exe in its own process.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "EngineClient.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

class EngineBasics : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    client_.Exec(1007, 0);  // no remembered camera from earlier tests
  }
  EngineClient client_;
};

TEST_F(EngineBasics, EnumeratesTheConfiguredCameras) {
  long count = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
  ASSERT_EQ(3, count);
  const struct {
    const char* name;
    int type;
    std::uint16_t product;
  } expected[] = {{"Test Camera A", 9, 0x0101}, {"Test Camera B", 14, 0x0102}, {"Test Camera C", 3, 901}};
  for (long i = 0; i < count; ++i) {
    CameraRecord record{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, i, &record));
    EXPECT_EQ(sizeof(CameraRecord), record.size);
    EXPECT_STREQ(expected[i].name, record.name);
    EXPECT_EQ(expected[i].type, record.type);
    EXPECT_EQ(expected[i].product, record.productId);
    EXPECT_EQ(0, record.state);
  }
  CameraRecord record{};
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdCameraRecord, 3, &record)));
}

TEST_F(EngineBasics, ConnectionStateFollowsConnectAndDisconnect) {
  long value = -1;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdConnected, 0, &value));
  EXPECT_EQ(0, value);
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCurrentIndex, 0, &value));
  EXPECT_EQ(-1, value);
  CameraRecord record{};
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdCurrentCamera, 0, &record)));
  EXPECT_TRUE(FAILED(client_.InqLong(kCmdCameraState, 0, &value)));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdLastFailure, 0, &value));
  EXPECT_EQ(kReasonNoCamera, value);

  ASSERT_EQ(S_OK, client_.Connect(1));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdConnected, 0, &value));
  EXPECT_EQ(1, value);
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCurrentIndex, 0, &value));
  EXPECT_EQ(1, value);
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCurrentCamera, 0, &record));
  EXPECT_STREQ("Test Camera B", record.name);
  EXPECT_STREQ("TESTDEV1", record.device);
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraState, 0, &value));
  EXPECT_EQ(0, value);

  ASSERT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdConnected, 0, &value));
  EXPECT_EQ(0, value);
  // Disconnecting twice is harmless.
  EXPECT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
}

TEST_F(EngineBasics, ConnectRefusesUnknownAndMalformedRecords) {
  CameraRecord record{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &record));
  CameraRecord stranger = record;
  stranger.serial = 999;
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdConnect, 0, stranger)));
  CameraRecord wrongSize = record;
  wrongSize.size = 100;
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdConnect, 0, wrongSize));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kCmdConnect, 0, &record, sizeof(record) - 1));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kCmdConnect, 0, nullptr, sizeof(record)));
  // The record's index may be stale: the identity decides.
  CameraRecord moved = record;
  moved.index = 2;
  EXPECT_EQ(S_OK, client_.ExecRecord(kCmdConnect, 0, moved));
  long index = -1;
  client_.InqLong(kCmdCurrentIndex, 0, &index);
  EXPECT_EQ(0, index);
}

TEST_F(EngineBasics, RemembersTheLastConnectedCamera) {
  CameraRecord record{};
  long index = 7;
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdRememberedCamera, 0, &record)));
  EXPECT_TRUE(FAILED(client_.InqLong(kCmdRememberedIndex, 0, &index)));
  ASSERT_EQ(S_OK, client_.Connect(2));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdRememberedCamera, 0, &record));
  EXPECT_STREQ("Test Camera C", record.name);
  EXPECT_EQ(901, record.productId);
  EXPECT_EQ(3, record.type);
  ASSERT_EQ(S_OK, client_.InqLong(kCmdRememberedIndex, 0, &index));
  EXPECT_EQ(2, index);
}

TEST_F(EngineBasics, InUseIsSeenByEveryClient) {
  EngineClient other;
  ASSERT_EQ(S_OK, other.Create());
  ASSERT_EQ(S_OK, other.Connect(1));
  for (long i = 0; i < 3; ++i) {
    std::int32_t index = i, inUse = -1;
    ASSERT_EQ(S_OK, client_.Inq(kCmdCameraInUse, 0, &index, 4, &inUse, 4));
    EXPECT_EQ(i == 1 ? 1 : 0, inUse) << i;
  }
  std::int32_t bad = 3, out = 0;
  EXPECT_EQ(E_INVALIDARG, client_.Inq(kCmdCameraInUse, 0, &bad, 4, &out, 4));
  EXPECT_EQ(E_INVALIDARG, client_.Inq(kCmdCameraInUse, 0, nullptr, 0, &out, 4));
  other.Exec(kCmdDisconnect, 0);
  std::int32_t one = 1;
  ASSERT_EQ(S_OK, client_.Inq(kCmdCameraInUse, 0, &one, 4, &out, 4));
  EXPECT_EQ(0, out);
}

TEST_F(EngineBasics, PropertiesOfClientAndCamera) {
  long value = 0;
  // Client properties work without a camera and keep their values.
  EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropLiveVideo, &value));
  EXPECT_EQ(1, value);
  EXPECT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 80));
  EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropMotionSensitivity, &value));
  EXPECT_EQ(80, value);
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 0));
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 101));
  EXPECT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionReport, -1));
  EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropMotionReport, &value));
  EXPECT_EQ(-1, value);
  // Camera properties need a camera.
  EXPECT_TRUE(FAILED(client_.InqLong(kCmdProperty, kPropShowHide, &value)));
  EXPECT_TRUE(FAILED(client_.ExecLong(kCmdProperty, kPropIndicatorValue, 3)));
  ASSERT_EQ(S_OK, client_.Connect(0));
  EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropShowHide, &value));
  EXPECT_EQ(1, value);
  for (long property : {kPropIndicatorLevel, kPropIndicatorReserved, kPropIndicatorSwitch, kPropIndicatorValue}) {
    EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, property, &value)) << property;
    EXPECT_EQ(S_OK, client_.ExecLong(kCmdProperty, property, 2)) << property;
    EXPECT_EQ(S_OK, client_.InqLong(kCmdProperty, property, &value)) << property;
    EXPECT_EQ(2, value);
  }
  EXPECT_EQ(E_INVALIDARG, client_.InqLong(kCmdProperty, 555, &value));
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, 5000, 1));
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, -3, 1));
}

TEST_F(EngineBasics, CaptureFormatSetReadAndProbe) {
  VideoFormatRecord format{};
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdFormat, 0, &format)));
  ASSERT_EQ(S_OK, client_.Connect(0));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, 0, &format));
  EXPECT_EQ(64u, format.size);
  EXPECT_EQ(320, format.header.biWidth);
  EXPECT_EQ(240, format.header.biHeight);
  EXPECT_EQ(24, format.header.biBitCount);
  EXPECT_EQ(230400u, format.header.biSizeImage);

  ASSERT_EQ(S_OK, client_.SetFormat(640, 480));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, 0, &format));
  EXPECT_EQ(640, format.header.biWidth);
  EXPECT_EQ(921600u, format.header.biSizeImage);
  EXPECT_TRUE(FAILED(client_.SetFormat(800, 600)));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdFormat, 1, engine_test::FormatRecord(320, 240, 16))));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdFormat, 1, engine_test::FormatRecord(320, 240, 24, 0x47504A4D))));

  // The probe answers per size and per camera.
  const struct { int w, h; bool a, b; } sizes[] = {
      {160, 120, true, false}, {240, 180, true, false}, {320, 240, true, true},
      {640, 480, true, true},  {800, 600, false, false}, {1024, 768, false, false},
      {1280, 960, false, false}};
  for (long camera : {0L, 1L}) {
    ASSERT_EQ(S_OK, client_.Connect(camera));
    for (const auto& size : sizes) {
      const VideoFormatRecord probe = engine_test::FormatRecord(size.w, size.h);
      BYTE dummy = 0;
      const HRESULT hr = client_.Inq(kCmdFormat, 3, &probe, sizeof(probe), &dummy, 1);
      EXPECT_EQ(camera == 0 ? size.a : size.b, SUCCEEDED(hr)) << camera << ": " << size.w;
    }
  }
  client_.SetFormat(320, 240);
}

TEST_F(EngineBasics, StillSizeSetReadAndProbe) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  StillFormatRecord still{};
  EXPECT_TRUE(FAILED(client_.InqRecord(kCmdStillFormat, 0, &still)));
  const StillFormatRecord big{20, 1280, 960, 24, 0};
  BYTE dummy = 0;
  EXPECT_EQ(S_OK, client_.Inq(kCmdStillFormat, 2, &big, sizeof(big), &dummy, 1));
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdStillFormat, 1, big));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdStillFormat, 0, &still));
  EXPECT_EQ(1280, still.width);
  EXPECT_EQ(960, still.height);
  EXPECT_EQ(24, still.bitDepth);
  const StillFormatRecord odd{20, 1600, 1200, 24, 0};
  EXPECT_TRUE(FAILED(client_.Inq(kCmdStillFormat, 2, &odd, sizeof(odd), &dummy, 1)));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdStillFormat, 1, odd)));
  const StillFormatRecord grey{20, 1280, 960, 8, 0};
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdStillFormat, 1, grey)));
  // Camera B has no still sizes at all.
  ASSERT_EQ(S_OK, client_.Connect(1));
  EXPECT_TRUE(FAILED(client_.Inq(kCmdStillFormat, 2, &big, sizeof(big), &dummy, 1)));
}

TEST_F(EngineBasics, ModeSwitchesAndReads) {
  long mode = -1;
  EXPECT_TRUE(FAILED(client_.InqLong(kCmdMode, 3, &mode)));
  ASSERT_EQ(S_OK, client_.Connect(1));
  ASSERT_EQ(S_OK, client_.Exec(kCmdMode, 1));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdMode, 3, &mode));
  EXPECT_EQ(1, mode);
  ASSERT_EQ(S_OK, client_.Exec(kCmdMode, 2));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdMode, 3, &mode));
  EXPECT_EQ(0, mode);
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdMode, 3));
}

TEST_F(EngineBasics, FeatureInquiryKnowsOnlyTheShowHideIdentifier) {
  FeatureInquiryRecord record{kShowHideFeature, 256, 256};
  BYTE dummy = 0;
  EXPECT_EQ(S_OK, client_.Inq(kCmdFeature, 0, &record, sizeof(record), &dummy, 1));
  record.value2 = 255;
  EXPECT_TRUE(FAILED(client_.Inq(kCmdFeature, 0, &record, sizeof(record), &dummy, 1)));
  record.value2 = 256;
  record.identifier.Data1 ^= 1;
  EXPECT_TRUE(FAILED(client_.Inq(kCmdFeature, 0, &record, sizeof(record), &dummy, 1)));
  EXPECT_TRUE(FAILED(client_.Inq(kCmdFeature, 0, &record, 23, &dummy, 1)));
}

// A client watches the process the inquiry names: it must be the running
// engine's, not the caller's.
TEST_F(EngineBasics, ProcessIdInquiryNamesTheRunningEngine) {
  long id = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProcessId, 0, &id));
  EXPECT_NE(::GetCurrentProcessId(), static_cast<DWORD>(id));
  common::UniqueKernelHandle process(
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id)));
  ASSERT_TRUE(process);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(process.get(), 0)) << "the process runs";
  wchar_t image[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  ASSERT_TRUE(::QueryFullProcessImageNameW(process.get(), 0, image, &length));
  const std::wstring path(image, length);
  EXPECT_EQ(L"cameraengine.exe", common::ToLower(path.substr(path.find_last_of(L"\\/") + 1)));
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdProcessId, 0)) << "an inquiry only";
}

TEST_F(EngineBasics, InjectedFailureHitsTheNextCommandOnly) {
  ASSERT_EQ(S_OK, client_.Exec(1002, 15));
  long count = 0;
  EXPECT_TRUE(FAILED(client_.InqLong(kCmdCameraCount, 0, &count)));
  long reason = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdLastFailure, 0, &reason));
  EXPECT_EQ(15, reason);
  EXPECT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1002, 0));
  EXPECT_EQ(E_NOTIMPL, client_.Exec(1999, 0));
}

TEST_F(EngineBasics, SettingsSaveAndLoadUnderTheGivenKey) {
  SettingsRecord record{};
  record.size = sizeof(record);
  std::strcpy(record.key, "HKEY_CURRENT_USER\\Software\\Torvane\\EngineTest\\VideoPortal2");
  record.value = 1;
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdSettings, 2, record)));  // no camera
  ASSERT_EQ(S_OK, client_.Connect(0));
  ASSERT_EQ(S_OK, client_.SetFormat(640, 480));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 33));
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdSettings, 2, record));
  ASSERT_EQ(S_OK, client_.SetFormat(160, 120));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 90));
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdSettings, 1, record));
  VideoFormatRecord format{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, 0, &format));
  EXPECT_EQ(640, format.header.biWidth);
  long sensitivity = 0;
  client_.InqLong(kCmdProperty, kPropMotionSensitivity, &sensitivity);
  EXPECT_EQ(33, sensitivity);
  SettingsRecord rootless = record;
  std::strcpy(rootless.key, "Software\\Torvane\\EngineTest");
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdSettings, 1, rootless));
  EXPECT_EQ(E_NOTIMPL, client_.ExecRecord(kCmdSettings, 3, record));
  client_.SetFormat(320, 240);
}

TEST_F(EngineBasics, TextStampStyleAndSoundRecordsAreChecked) {
  BYTE style[96] = {};
  *reinterpret_cast<std::uint32_t*>(style) = 96;
  std::strcpy(reinterpret_cast<char*>(style + 8), "Arial");
  EXPECT_EQ(S_OK, client_.Exec(kCmdTextStamp, 0, style, 96));
  EXPECT_EQ(S_OK, client_.Exec(kCmdTextStamp, 0, style, 96 + 40));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kCmdTextStamp, 0, style, 95));
  *reinterpret_cast<std::uint32_t*>(style) = 95;
  EXPECT_TRUE(FAILED(client_.Exec(kCmdTextStamp, 0, style, 96)));
  PictureSoundRecord sound{};
  sound.size = sizeof(sound);
  std::strcpy(sound.soundFile, "C:\\nowhere\\missing.wav");
  EXPECT_EQ(S_OK, client_.ExecRecord(kCmdPicture, kPictureSound, sound));
}

TEST_F(EngineBasics, DialogClosesByItselfUnderTheScenarioSetting) {
  ASSERT_EQ(S_OK, client_.Exec(1006, 300));
  ASSERT_EQ(S_OK, client_.Connect(0));
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(S_OK, client_.Exec(kCmdDialog, 1));
  EXPECT_LT(::GetTickCount() - start, 10000u);
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdDialog, 2));
  client_.Exec(1006, 0);
}

TEST_F(EngineBasics, DialogClosesOnWmClose) {
  ASSERT_EQ(S_OK, client_.Exec(1006, 0));  // no self-closing
  // While this thread waits in the call, another finds the engine's dialog
  // and closes it the way a user (or the window manager) would.
  std::atomic<bool> closed{false};
  std::thread closer([&closed] {
    for (int i = 0; i < 200 && !closed; ++i) {
      if (HWND dialog = ::FindWindowW(L"#32770", L"Camera")) {
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        closed = true;
      }
      ::Sleep(50);
    }
  });
  const HRESULT hr = client_.Exec(kCmdDialog, 1);
  closer.join();
  EXPECT_TRUE(closed.load());
  EXPECT_EQ(S_OK, hr);
  long count = 0;
  EXPECT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
}

}  // namespace
