// The engine with a capture device: the test camera filter (TestCamera.h)
// registered in the video input device category while these tests run. The
// engine lists it before its synthetic camera, captures its frames into
// pictures whose every pixel is checked against the filter's picture, in
// RGB24 and through the engine's YUY2 conversion, changes its format, paces
// movies by their frame period, reads and sets its brightness, and reports
// its unplugging and return.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <vector>

#include "EngineClient.h"
#include "EngineMessages.h"
#include "EngineMovieFiles.h"
#include "PreviewFrame.h"
#include "TestCamera.h"
#include "TestCameraRegistration.h"
#include "WebcamFixture.h"
#include "WineTodo.h"
#include "common/Strings.h"

using namespace engine;
using engine_test::EngineClient;
using engine_test::MessageSink;
using namespace webcam_test;

namespace {

TEST_F(EngineWebcam, ListsTheDeviceBeforeTheSyntheticCamera) {
  long count = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
  ASSERT_EQ(2, count);
  CameraRecord device{}, synthetic{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &device));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 1, &synthetic));
  EXPECT_STREQ(common::WideToAnsi(test_camera::kFriendlyName).c_str(), device.name);
  EXPECT_EQ(kCameraTypeCaptureDevice, device.type);
  EXPECT_EQ(0u, device.index);
  // Wine gives a registered filter no device path: the moniker's name.
  EXPECT_EQ(0, std::strncmp(device.device, "@device:sw:", 11)) << device.device;
  EXPECT_STREQ("Synthetic Camera 1", synthetic.name);
  EXPECT_EQ(1u, synthetic.index);
  // The identity follows from the device, not from the order of listing.
  ASSERT_EQ(S_OK, Reload(client_, WebcamConfig()));
  CameraRecord again{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &again));
  EXPECT_EQ(device.serial, again.serial);
  EXPECT_EQ(device.vendorId, again.vendorId);
  EXPECT_EQ(device.productId, again.productId);
  // Its sizes are the capture pin's; still pictures use the largest.
  ASSERT_EQ(S_OK, client_.Connect(0));
  for (const test_camera::Size size : test_camera::kSizes) {
    const VideoFormatRecord probe = engine_test::FormatRecord(size.width, size.height);
    VideoFormatRecord answer{};
    EXPECT_EQ(S_OK, client_.Inq(kCmdFormat, kFormatProbe, &probe, sizeof(probe), &answer, sizeof(answer)))
        << size.width << "x" << size.height;
  }
  const VideoFormatRecord unknown = engine_test::FormatRecord(1024, 768);
  BYTE dummy = 0;
  EXPECT_EQ(E_FAIL, client_.Inq(kCmdFormat, kFormatProbe, &unknown, sizeof(unknown), &dummy, 1));
  const StillFormatRecord largest{sizeof(StillFormatRecord), 800, 600, 24, 0};
  const StillFormatRecord smaller{sizeof(StillFormatRecord), 640, 480, 24, 0};
  EXPECT_EQ(S_OK, client_.Inq(kCmdStillFormat, kStillProbe, &largest, sizeof(largest), &dummy, 1));
  EXPECT_EQ(E_FAIL, client_.Inq(kCmdStillFormat, kStillProbe, &smaller, sizeof(smaller), &dummy, 1));
}

TEST_F(EngineWebcam, PicturesHoldTheDevicesFramesInEveryFormat) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  VideoFormatRecord format{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, kFormatRead, &format));
  EXPECT_EQ(320, format.header.biWidth);
  EXPECT_EQ(240, format.header.biHeight);
  // RGB24 sizes arrive as the device made them; 352 x 288 only in YUY2,
  // converted by the engine (BT.601: a few levels of rounding).
  struct Case {
    int width, height, tolerance;
  };
  for (const Case c : {Case{320, 240, 0}, Case{640, 480, 0}, Case{160, 120, 0}, Case{352, 288, 6}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    if (c.width != 320) {
      ASSERT_EQ(S_OK, client_.SetFormat(c.width, c.height));
    }
    Shot first, second;
    ASSERT_TRUE(TakePicture(&first));
    ASSERT_EQ(c.width, first.width);
    ASSERT_EQ(c.height, first.height);
    EXPECT_LE(LargestDifference(first, 0), c.tolerance);
    sink_.Pump(200);
    ASSERT_TRUE(TakePicture(&second));
    EXPECT_LE(LargestDifference(second, 0), c.tolerance);
    EXPECT_GT(FrameNumberOf(second), FrameNumberOf(first)) << "the picture changes with the frames";
  }
}

TEST_F(EngineWebcam, SizesOfferedOnlyInMjpgAreDecodedByTheGraph) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  const HRESULT hr = client_.SetFormat(800, 600);
  testing_support::TodoWine(hr == S_OK, "the graph adds no decoder for MJPG");
  if (hr != S_OK) {
    // Without a decoder the size fails like a silent device, and the
    // camera keeps its size and its frames.
    EXPECT_EQ(E_FAIL, hr);
    long reason = 0;
    ASSERT_EQ(S_OK, client_.InqLong(kCmdLastFailure, 0, &reason));
    EXPECT_EQ(kReasonFile, reason);
    VideoFormatRecord format{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, kFormatRead, &format));
    EXPECT_EQ(320, format.header.biWidth);
    Shot shot;
    ASSERT_TRUE(TakePicture(&shot));
    EXPECT_EQ(0, LargestDifference(shot, 0));
    return;
  }
  Shot first, second;
  ASSERT_TRUE(TakePicture(&first));
  ASSERT_EQ(800, first.width);
  EXPECT_LT(MeanDifference(first, 0), 3.0);
  sink_.Pump(200);
  ASSERT_TRUE(TakePicture(&second));
  EXPECT_GT(FrameNumberOf(second), FrameNumberOf(first));
}

TEST_F(EngineWebcam, MoviesTakeFramesByTheirPeriodNotByTheDevicesDeliveries) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  const std::string path = engine_test::MovieFolder() + "webcam-two-seconds.avi";
  // 40 ms: more frames than the device's 15 a second deliver.
  MovieRequestRecord request = engine_test::MovieRequest(path, kRecordModeTimed, false, false);
  request.framePeriodMs = 40;
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, request));
  sink_.Pump(2000);
  std::int32_t state[3] = {};
  ASSERT_EQ(S_OK, client_.Inq(kCmdMovie, kMovieState, nullptr, 0, state, sizeof(state)));
  ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
  EXPECT_GE(state[1], 48);
  EXPECT_LE(state[1], 54);
  engine_test::ExpectFrames(path, "at-least", 48, false);
}

TEST_F(EngineWebcam, BrightnessIsTheDevicesAndTravelsWithTheSettings) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  long value = -1;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropBrightness, &value));
  EXPECT_EQ(test_camera::kBrightnessDefault, value);
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropBrightness, 20));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropBrightness, &value));
  EXPECT_EQ(20, value);
  sink_.Pump(300);
  Shot shot;
  ASSERT_TRUE(TakePicture(&shot));
  EXPECT_EQ(0, LargestDifference(shot, 20)) << "the device made the picture with the new brightness";
  // Outside the device's range, and settings the device does not have.
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, kPropBrightness, test_camera::kBrightnessMax + 1));
  EXPECT_EQ(E_INVALIDARG, client_.InqLong(kCmdProperty, kPropContrast, &value));
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, kPropFocus, 1));
  // Zoom is the camera control's, not the amplifier's.
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropZoom, &value));
  EXPECT_EQ(test_camera::kZoomDefault, value);
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropZoom, 250));
  EXPECT_EQ(E_INVALIDARG, client_.ExecLong(kCmdProperty, kPropZoom, test_camera::kZoomMin - 1));

  SettingsRecord settings{};
  settings.size = sizeof(settings);
  std::strcpy(settings.key, "HKEY_CURRENT_USER\\Software\\Torvane\\Tests\\Webcam");
  settings.value = 1;
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdSettings, kSettingsSave, settings));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropBrightness, -7));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropZoom, 100));
  sink_.Clear();
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdSettings, kSettingsLoad, settings));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropBrightness, &value));
  EXPECT_EQ(20, value);
  ASSERT_EQ(S_OK, client_.InqLong(kCmdProperty, kPropZoom, &value));
  EXPECT_EQ(250, value);
  MSG report{};
  ASSERT_TRUE(sink_.WaitFor(kMsgPropertyChanged, 2000, &report));
  EXPECT_EQ(static_cast<WPARAM>(kPropBrightness), report.wParam);
  EXPECT_EQ(20, report.lParam);
  client_.ExecLong(kCmdProperty, kPropBrightness, test_camera::kBrightnessDefault);
  client_.ExecLong(kCmdProperty, kPropZoom, test_camera::kZoomDefault);
}

TEST_F(EngineWebcam, UnplugAndReturnOfTheDeviceAreReported) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  const std::string path = engine_test::MovieFolder() + "webcam-unplugged.avi";
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart,
                                      engine_test::MovieRequest(path, kRecordModeTimed, false, false)));
  sink_.Pump(300);
  // EC_DEVICE_LOST from the device's graph.
  ::SetEvent(unplug_.get());
  MSG ended{};
  ASSERT_TRUE(sink_.WaitFor(kMsgCameraLost, 3000));
  ASSERT_TRUE(sink_.WaitFor(kMsgRecordingEnded, 1000, &ended));
  EXPECT_EQ(2u, ended.wParam);
  long state = -1;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraState, 0, &state));
  EXPECT_EQ(kCameraGone, state);
  sink_.Clear();
  ::ResetEvent(unplug_.get());
  ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 3000));
  EXPECT_EQ(1u, sink_.Count(kMsgReconnectRequest));
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraState, 0, &state));
  EXPECT_EQ(kCameraReady, state);
  ASSERT_EQ(S_OK, client_.Connect(0));
  Shot shot;
  ASSERT_TRUE(TakePicture(&shot));
  EXPECT_EQ(0, LargestDifference(shot, 0));
}

TEST_F(EngineWebcam, ADeviceThatStopsDeliveringIsLostAndOneThatNeverDeliversFails) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  ::SetEvent(silent_.get());
  ASSERT_TRUE(sink_.WaitFor(kMsgCameraLost, 5000));
  ::ResetEvent(silent_.get());
  ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 3000)) << "its next frame brings it back";
  ASSERT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
  // No frame within two seconds: the connection fails instead of waiting.
  ::SetEvent(silent_.get());
  EXPECT_EQ(E_FAIL, client_.Connect(0));
  long reason = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdLastFailure, 0, &reason));
  EXPECT_EQ(kReasonFile, reason);
  long connected = -1;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdConnected, 0, &connected));
  EXPECT_EQ(0, connected);
  ::ResetEvent(silent_.get());
  EXPECT_EQ(S_OK, client_.Connect(0));
}

TEST_F(EngineWebcam, TheGraphStopsWhenTheLastClientLetsGo) {
  common::UniqueKernelHandle delivered(::CreateEventW(nullptr, FALSE, FALSE, test_camera::kDeliveredEvent));
  ASSERT_EQ(S_OK, client_.Connect(0));
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(delivered.get(), 1000));
  EngineClient second;
  ASSERT_EQ(S_OK, second.Create());
  ASSERT_EQ(S_OK, second.Connect(0));
  ASSERT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
  ::ResetEvent(delivered.get());
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(delivered.get(), 1000)) << "the other client still captures";
  second.Release();  // its engine object goes: the client has gone
  sink_.Pump(300);
  ::ResetEvent(delivered.get());
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(delivered.get(), 600));
}

TEST_F(EngineWebcam, TheGraphOfAClientThatDiesIsTornDown) {
  // This client holds the synthetic camera, so that the other process's
  // engine object cannot reload the configuration (no reload while a
  // camera is connected) and connects the device, camera 0.
  ASSERT_EQ(S_OK, client_.Connect(1));
  common::UniqueKernelHandle delivered(::CreateEventW(nullptr, FALSE, FALSE, test_camera::kDeliveredEvent));
  common::UniqueKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, "EngineWebcamClientReady"));
  char command[] = "engine_test_client.exe EngineWebcamClientReady";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  common::UniqueKernelHandle child(process.hProcess), thread(process.hThread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(ready.get(), 20000));
  long inUse = 0;
  const std::int32_t device = 0;
  ASSERT_EQ(S_OK, client_.Inq(kCmdCameraInUse, 0, &device, sizeof(device), &inUse, sizeof(std::int32_t)));
  ASSERT_EQ(1, inUse);
  ::ResetEvent(delivered.get());
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(delivered.get(), 1000));
  ::TerminateProcess(child.get(), 9);
  ::WaitForSingleObject(child.get(), 5000);
  sink_.Pump(1000);  // the engine looks for dead clients on every tick
  ASSERT_EQ(S_OK, client_.Inq(kCmdCameraInUse, 0, &device, sizeof(device), &inUse, sizeof(std::int32_t)));
  EXPECT_EQ(0, inUse);
  ::ResetEvent(delivered.get());
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(delivered.get(), 600));
}

TEST_F(EngineWebcam, ADeviceNobodyUsesIsGoneWhenTheSystemNoLongerListsIt) {
  registration_->Unregister();
  CameraRecord record{};
  for (int i = 0; i < 60 && record.state != kCameraGone; ++i) {
    sink_.Pump(100);
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &record));
  }
  EXPECT_EQ(kCameraGone, record.state);
  EXPECT_EQ(E_FAIL, client_.Connect(0));
  sink_.Clear();
  ASSERT_EQ(S_OK, registration_->Register());
  ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 6000));
  EXPECT_EQ(1u, sink_.Count(kMsgReconnectRequest));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &record));
  EXPECT_EQ(kCameraReady, record.state);
  EXPECT_EQ(S_OK, client_.Connect(0));
}

TEST_F(EngineWebcam, PreviewHookAndMotionReportsCarryTheDevicesFrames) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  const std::uint32_t window = WindowToRecord(sink_.Window());
  const PreviewRecord on{sizeof(PreviewRecord), 0, window, 0, 0, 320, 240, 1};
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPreview, kPreviewOn, on));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropHook, 1));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionReport, 1));
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix, window);
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  ASSERT_TRUE(mapping);
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  const auto* header = static_cast<const PreviewFrameHeader*>(view.get());
  sink_.Pump(600);
  EXPECT_GE(sink_.Count(kMsgHookFrame), 5u);
  EXPECT_GE(sink_.Count(kMsgMotionReport), 5u);
  ASSERT_EQ(kPreviewMagic, header->magic);
  ASSERT_EQ(320, header->width);
  ASSERT_EQ(240, header->height);
  // A complete frame (the sequence even and unchanged around the copy) is
  // the device's picture pixel for pixel.
  Shot preview;
  preview.width = header->width;
  preview.height = header->height;
  const BYTE* pixels = static_cast<const BYTE*>(view.get()) + header->pixelOffset;
  bool complete = false;
  for (int attempt = 0; attempt < 20 && !complete; ++attempt) {
    const std::uint32_t sequence = header->sequence;
    preview.bits.assign(pixels, pixels + header->stride * header->height);
    complete = sequence % 2 == 0 && header->sequence == sequence;
  }
  ASSERT_TRUE(complete);
  EXPECT_EQ(0, LargestDifference(preview, 0));
  const std::uint32_t before = header->frameNumber;
  sink_.Pump(400);
  EXPECT_GT(header->frameNumber, before);
  client_.ExecLong(kCmdProperty, kPropMotionReport, 0);
  client_.ExecLong(kCmdProperty, kPropHook, 0);
  client_.Exec(kCmdPreview, kPreviewOff);
}

// Looks (from a thread of the test) for the engine's window that shows the
// test camera's property page, and cancels it.
struct PageSearch {
  HWND frame = nullptr;
  wchar_t title[128] = {};
};

BOOL CALLBACK FindPageText(HWND child, LPARAM found) {
  wchar_t text[128] = {};
  ::GetWindowTextW(child, text, 128);
  if (std::wcscmp(text, test_camera::kPageText) != 0) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

BOOL CALLBACK FindFrame(HWND top, LPARAM search) {
  bool found = false;
  ::EnumChildWindows(top, &FindPageText, reinterpret_cast<LPARAM>(&found));
  if (!found) return TRUE;
  auto* s = reinterpret_cast<PageSearch*>(search);
  s->frame = top;
  ::GetWindowTextW(top, s->title, 128);
  return FALSE;
}

DWORD WINAPI CancelPropertyFrame(LPVOID parameter) {
  auto* search = static_cast<PageSearch*>(parameter);
  for (int i = 0; i < 100 && !search->frame; ++i) {
    ::Sleep(100);
    ::EnumWindows(&FindFrame, reinterpret_cast<LPARAM>(search));
  }
  if (search->frame) ::PostMessageW(search->frame, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return 0;
}

TEST_F(EngineWebcam, TheCameraDialogIsTheDevicesPropertyFrame) {
  ASSERT_EQ(S_OK, client_.Connect(0));
  // A safety net: the engine cancels the frame itself after 20 s.
  ASSERT_EQ(S_OK, client_.Exec(kScenarioDialogAutoClose, 20000));
  PageSearch search;
  common::UniqueKernelHandle watcher(::CreateThread(nullptr, 0, &CancelPropertyFrame, &search, 0, nullptr));
  const DWORD started = ::GetTickCount();
  EXPECT_EQ(S_OK, client_.Exec(kCmdDialog, kDialogCamera));
  const DWORD took = ::GetTickCount() - started;
  ::WaitForSingleObject(watcher.get(), 15000);
  client_.Exec(kScenarioDialogAutoClose, 0);
  ASSERT_NE(nullptr, search.frame) << "no window showed the device's page";
  EXPECT_LT(took, 15000u) << "closed by the test, not by the safety net";
  EXPECT_NE(nullptr, std::wcsstr(search.title, test_camera::kFriendlyName)) << common::WideToAnsi(search.title);
  // The engine's own dialog serves the synthetic camera.
  ASSERT_EQ(S_OK, client_.Connect(1));
  ASSERT_EQ(S_OK, client_.Exec(kScenarioDialogAutoClose, 300));
  EXPECT_EQ(S_OK, client_.Exec(kCmdDialog, kDialogCamera));
  client_.Exec(kScenarioDialogAutoClose, 0);
}

}  // namespace
