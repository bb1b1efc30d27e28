// What the engine tells its clients: motion reports, hook frames with the
// hook image, preview frames in the preview mapping, camera lost and
// reconnection, recording progress and end, and messages posted through
// the scenario channel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "EngineClient.h"
#include "PreviewFrame.h"
#include "common/UniqueHandle.h"

using namespace engine;
using engine_test::EngineClient;
using engine_test::MessageSink;

namespace {

class EngineMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, client_.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink_.Window()))));
    ASSERT_EQ(S_OK, client_.Connect(0));
  }
  void TearDown() override {
    client_.Exec(1001, 0);  // replug whatever a test unplugged
    client_.Exec(1001, 1);
  }
  MessageSink sink_;
  EngineClient client_;
};

TEST_F(EngineMessages, MotionReportsWhileReportingIsOn) {
  sink_.Pump(200);
  EXPECT_EQ(0u, sink_.Count(kMsgMotionReport));
  // Degree 1, the most sensitive setting a client compares against: the
  // moving disc must read above it on every frame after the first.
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 1));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionReport, -1));
  MSG report{};
  ASSERT_TRUE(sink_.WaitFor(kMsgMotionReport, 3000, &report));
  EXPECT_NE(0u, report.wParam);
  sink_.Pump(600);
  std::vector<LPARAM> values;
  for (const MSG& m : sink_.Pump(0)) {
    if (m.message == kMsgMotionReport) values.push_back(m.lParam);
  }
  ASSERT_GE(values.size(), 6u);
  for (std::size_t i = 1; i < values.size(); ++i) {
    EXPECT_GE(values[i], 5) << "report " << i;
    EXPECT_LE(values[i], 100) << "report " << i;
  }
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionReport, 0));
  client_.ExecLong(kCmdProperty, kPropMotionSensitivity, 50);
  sink_.Pump(100);
  sink_.Clear();
  sink_.Pump(300);
  EXPECT_EQ(0u, sink_.Count(kMsgMotionReport));
}

TEST_F(EngineMessages, ScriptedMotionValuesArriveInOrder) {
  const std::int32_t values[] = {7, 42, 99, 150, -5};
  ASSERT_EQ(S_OK, client_.Exec(1003, 0, values, sizeof(values)));
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropMotionReport, -1));
  std::vector<LPARAM> seen;
  for (int i = 0; i < 100 && seen.size() < 5; ++i) {
    sink_.Pump(30);
    seen.clear();
    for (const MSG& m : sink_.Pump(0)) {
      if (m.message == kMsgMotionReport) seen.push_back(m.lParam);
    }
  }
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ((std::vector<LPARAM>{7, 42, 99, 100, 0}), std::vector<LPARAM>(seen.begin(), seen.begin() + 5));
  client_.ExecLong(kCmdProperty, kPropMotionReport, 0);
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1003, 0, values, 6));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1003, 0, nullptr, 8));
}

TEST_F(EngineMessages, HookFramesFillTheHookImage) {
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropHook, 1));
  MSG frame{};
  ASSERT_TRUE(sink_.WaitFor(kMsgHookFrame, 3000, &frame));
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, kHookImageName));
  ASSERT_TRUE(mapping.valid());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 40 + 320 * 240 * 3));
  ASSERT_TRUE(view.valid());
  BITMAPINFOHEADER header;
  std::memcpy(&header, view.get(), sizeof(header));
  EXPECT_EQ(40u, header.biSize);
  EXPECT_EQ(320, header.biWidth);
  EXPECT_EQ(240, header.biHeight);
  EXPECT_EQ(24, header.biBitCount);
  EXPECT_EQ(320u * 240 * 3, header.biSizeImage);
  long hook = 0;
  client_.InqLong(kCmdProperty, kPropHook, &hook);
  EXPECT_EQ(1, hook);
  ASSERT_EQ(S_OK, client_.ExecLong(kCmdProperty, kPropHook, 0));
  sink_.Pump(100);
  sink_.Clear();
  sink_.Pump(300);
  EXPECT_EQ(0u, sink_.Count(kMsgHookFrame));
}

TEST_F(EngineMessages, PreviewFramesAppearInThePreviewMapping) {
  const PreviewRecord on{32, 0, WindowToRecord(sink_.Window()), 0, 0, 320, 240, 1};
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPreview, 0, on));
  PreviewRecord state{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdPreview, 0, &state));
  EXPECT_EQ(1, state.on);
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix, WindowToRecord(sink_.Window()));
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  ASSERT_TRUE(mapping.valid()) << name;
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  const auto* header = static_cast<const PreviewFrameHeader*>(view.get());
  std::uint32_t first = 0;
  for (int i = 0; i < 100 && header->magic != kPreviewMagic; ++i) sink_.Pump(20);
  ASSERT_EQ(kPreviewMagic, header->magic);
  first = header->frameNumber;
  sink_.Pump(500);
  EXPECT_GT(header->frameNumber, first + 3);
  EXPECT_EQ(320, header->width);
  EXPECT_EQ(240, header->height);
  EXPECT_EQ(960u, header->stride);
  EXPECT_EQ(0u, header->sequence % 2);
  ASSERT_EQ(S_OK, client_.Exec(kCmdPreview, 1));
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdPreview, 0, &state));
  EXPECT_EQ(0, state.on);
  PreviewRecord notAWindow = on;
  notAWindow.window = 0x1234;
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdPreview, 0, notAWindow));
}

// The newest complete preview frame of the sink's window, waited for.
struct PreviewShot {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rows;  // bottom-up, stride padded as in the mapping
  std::uint32_t stride = 0;
};

PreviewShot TakePreview(MessageSink& sink, std::uint32_t afterFrame = 0) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08X", kPreviewMappingPrefix, WindowToRecord(sink.Window()));
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  common::UniqueMappedView view(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
  PreviewShot shot;
  if (!view) return shot;
  const auto* header = static_cast<const PreviewFrameHeader*>(view.get());
  for (int i = 0; i < 100 && (header->magic != kPreviewMagic || header->frameNumber <= afterFrame); ++i) sink.Pump(20);
  const std::uint32_t sequence = header->sequence;
  shot.width = header->width;
  shot.height = header->height;
  shot.stride = header->stride;
  const auto* pixels = static_cast<const std::uint8_t*>(view.get()) + header->pixelOffset;
  shot.rows.assign(pixels, pixels + static_cast<std::size_t>(shot.stride) * shot.height);
  if (sequence % 2 || header->sequence != sequence) return TakePreview(sink, header->frameNumber);  // torn
  return shot;
}

TEST_F(EngineMessages, PreviewFramesComeAtThePreviewSizeWhenTheCaptureIsLarger) {
  const struct {
    int captureWidth, captureHeight, previewWidth, previewHeight, width, height;
  } cases[] = {
      {640, 480, 320, 240, 320, 240},  // reduced for the window
      {640, 480, 160, 120, 160, 120},
      {320, 240, 320, 240, 320, 240},  // the same size: as captured
      {320, 240, 640, 480, 320, 240},  // the window stretches a smaller capture
      {640, 480, 640, 240, 640, 480},  // larger only one way: as captured
  };
  for (const auto& c : cases) {
    ASSERT_EQ(S_OK, client_.SetFormat(c.captureWidth, c.captureHeight));
    const PreviewRecord on{32, 0, WindowToRecord(sink_.Window()), 0, 0, c.previewWidth, c.previewHeight, 1};
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPreview, 0, on));
    const PreviewShot shot = TakePreview(sink_);
    EXPECT_EQ(c.width, shot.width) << c.captureWidth << " into " << c.previewWidth;
    EXPECT_EQ(c.height, shot.height) << c.captureWidth << " into " << c.previewWidth;
    EXPECT_EQ(((24u * c.width + 31) & ~31u) / 8, shot.stride);
    ASSERT_EQ(S_OK, client_.Exec(kCmdPreview, 1));
  }
  client_.SetFormat(320, 240);
}

// A reduced frame shows the capture's pixels: nearly every preview pixel
// equals the capture pixel it stands for (the moving disc, the clock and
// the counter aside), which a shifted, flipped or mis-strided copy would
// not.
TEST_F(EngineMessages, ReducedPreviewFramesShowTheCapturedPixels) {
  ASSERT_EQ(S_OK, client_.SetFormat(640, 480));
  const PreviewRecord full{32, 0, WindowToRecord(sink_.Window()), 0, 0, 640, 480, 1};
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPreview, 0, full));
  const PreviewShot captured = TakePreview(sink_);
  ASSERT_EQ(S_OK, client_.Exec(kCmdPreview, 1));
  const PreviewRecord small{32, 0, WindowToRecord(sink_.Window()), 0, 0, 320, 240, 1};
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPreview, 0, small));
  const PreviewShot reduced = TakePreview(sink_);
  ASSERT_EQ(S_OK, client_.Exec(kCmdPreview, 1));
  client_.SetFormat(320, 240);
  ASSERT_EQ(640, captured.width);
  ASSERT_EQ(320, reduced.width);
  std::size_t same = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      const std::uint8_t* p = &reduced.rows[reduced.stride * y + 3 * x];
      const std::uint8_t* q = &captured.rows[captured.stride * (2 * y) + 3 * (2 * x)];
      same += std::memcmp(p, q, 3) == 0;
    }
  }
  EXPECT_GT(same, 320u * 240 * 80 / 100);
}

TEST_F(EngineMessages, UnplugAndReplugReachTheClientsOfTheCamera) {
  EngineClient bystander;
  MessageSink bystanderSink;
  ASSERT_EQ(S_OK, bystander.Create());
  bystander.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(bystanderSink.Window())));
  ASSERT_EQ(S_OK, bystander.Connect(1));

  ASSERT_EQ(S_OK, client_.Exec(1000, 0));
  ASSERT_TRUE(sink_.WaitFor(kMsgCameraLost, 3000));
  EXPECT_EQ(0u, bystanderSink.Count(kMsgCameraLost));
  long state = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraState, 0, &state));
  EXPECT_EQ(1, state);
  CameraRecord record{};
  client_.InqRecord(kCmdCameraRecord, 0, &record);
  EXPECT_EQ(1, record.state);
  // A gone camera takes no pictures and cannot be connected again.
  EXPECT_TRUE(FAILED(client_.Exec(kCmdIndexedPicture, kIndexedTake)));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdConnect, 0, record)));

  ASSERT_EQ(S_OK, client_.Exec(1001, 0));
  EXPECT_TRUE(sink_.WaitFor(kMsgReconnectRequest, 3000));
  EXPECT_TRUE(sink_.WaitFor(kMsgReconnected, 3000));
  client_.InqLong(kCmdCameraState, 0, &state);
  EXPECT_EQ(0, state);
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1000, 3));
}

TEST_F(EngineMessages, ScenarioPostsAnyEngineMessageAndSetsStates) {
  const std::int32_t message[] = {static_cast<std::int32_t>(kMsgIndicatorTimer), 1, 77};
  ASSERT_EQ(S_OK, client_.Exec(1004, 0, message, sizeof(message)));
  MSG received{};
  ASSERT_TRUE(sink_.WaitFor(kMsgIndicatorTimer, 3000, &received));
  EXPECT_EQ(1u, received.wParam);
  EXPECT_EQ(77, received.lParam);
  const std::int32_t outside[] = {1532, 0, 0};
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1004, 0, outside, sizeof(outside)));
  EXPECT_EQ(E_INVALIDARG, client_.Exec(1004, 0, message, 8));

  ASSERT_EQ(S_OK, client_.ExecLong(1005, 0, 6));
  long state = 0;
  client_.InqLong(kCmdCameraState, 0, &state);
  EXPECT_EQ(6, state);
  ASSERT_EQ(S_OK, client_.ExecLong(1005, 0, 0));
}

TEST_F(EngineMessages, RecordingReportsProgressAndEndsWhenTheDiskIsFull) {
  const std::string path = engine_test::TempFolder() + "engine-full.avi";
  ASSERT_EQ(S_OK, client_.Exec(1008, 400000));  // room for about one frame
  MovieRequestRecord movie{};
  movie.size = sizeof(movie);
  std::strcpy(movie.captureFile, path.c_str());
  movie.framePeriodMs = 33;
  movie.recordMode = 2;
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, movie));
  MSG ended{};
  ASSERT_TRUE(sink_.WaitFor(kMsgRecordingEnded, 5000, &ended));
  EXPECT_EQ(1u, ended.wParam);
  RecordingStateRecord state{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdMovie, kMovieState, &state));
  EXPECT_EQ(0, state.active);
  client_.Exec(1008, 0);

  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart, movie));
  MSG progress{};
  EXPECT_TRUE(sink_.WaitFor(kMsgRecordingProgress, 4000, &progress));
  EXPECT_GT(progress.wParam, 0u);
  // Unplugging the camera ends the recording with reason 2.
  ASSERT_EQ(S_OK, client_.Exec(1000, 0));
  sink_.Clear();
  ASSERT_TRUE(sink_.WaitFor(kMsgRecordingEnded, 3000, &ended));
  EXPECT_EQ(2u, ended.wParam);
}

}  // namespace
