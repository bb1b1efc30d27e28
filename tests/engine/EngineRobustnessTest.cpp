// Every command with a valid, a short, an oversized and a missing buffer:
// short and missing records are refused before any byte is used, an
// oversized buffer behaves like the exact record, and the engine keeps
// answering.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "EngineClient.h"
#include "common/Strings.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

struct Case {
  long command, sub;
  std::vector<BYTE> record;         // valid input
  long outputSize;                  // 0 for Execute
  std::function<void()> cleanup;    // undoes what the valid call started
};

template <typename Record>
std::vector<BYTE> Bytes(const Record& record) {
  const BYTE* p = reinterpret_cast<const BYTE*>(&record);
  return std::vector<BYTE>(p, p + sizeof(record));
}

std::vector<BYTE> Long(long value) { return Bytes(static_cast<std::int32_t>(value)); }

class EngineRobustness : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, client_.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(WindowToRecord(sink_.Window()))));
    ASSERT_EQ(S_OK, client_.Connect(0));
    temp_ = engine_test::TempFolder();
    mapping_.reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 400000,
                                        "VX_IMAGE_424242"));
  }

  HRESULT Run(const Case& c, const BYTE* input, long inputSize) {
    if (c.outputSize == 0) return client_.Exec(c.command, c.sub, input, inputSize);
    std::vector<BYTE> output(static_cast<std::size_t>(c.outputSize) + 64, 0xCD);
    return client_.Inq(c.command, c.sub, input, inputSize, output.data(), c.outputSize);
  }

  std::vector<Case> Cases();

  engine_test::MessageSink sink_;
  EngineClient client_;
  std::string temp_;
  common::UniqueKernelHandle mapping_;
};

std::vector<Case> EngineRobustness::Cases() {
  CameraRecord camera{};
  client_.InqRecord(kCmdCameraRecord, 0, &camera);
  PrepareRecord prepare{sizeof(PrepareRecord), "robustness", "HKEY_CURRENT_USER\\Software\\Torvane\\EngineTest"};
  SettingsRecord settings{sizeof(SettingsRecord), "HKEY_CURRENT_USER\\Software\\Torvane\\EngineTest", 1};
  PreviewRecord preview{32, 0, WindowToRecord(sink_.Window()), 0, 0, 320, 240, 1};
  PictureRequestRecord toFile{};
  toFile.size = sizeof(toFile);
  std::strcpy(toFile.target, (temp_ + "robust.bmp").c_str());
  PictureRequestRecord toMapping{};
  toMapping.size = sizeof(toMapping);
  std::strcpy(toMapping.target, "VX_IMAGE_424242");
  toMapping.mappingSize = 400000;
  PictureSoundRecord sound{sizeof(PictureSoundRecord), ""};
  MovieRequestRecord movie{};
  movie.size = sizeof(movie);
  std::strcpy(movie.captureFile, (temp_ + "robust.avi").c_str());
  movie.framePeriodMs = 66;
  movie.recordMode = 2;
  IndexedPictureRecord indexed{};
  indexed.size = sizeof(indexed);
  std::strcpy(indexed.fileName, (temp_ + "robust-indexed.bmp").c_str());
  BYTE style[96] = {96};
  std::strcpy(reinterpret_cast<char*>(style + 8), "Arial");
  const auto stop = [this] { client_.Exec(kCmdMovie, kMovieStop); };
  const auto previewOff = [this] { client_.Exec(kCmdPreview, 1); };
  return {
      {kCmdPrepare, 0, Bytes(prepare), 0, nullptr},
      {kCmdConnect, 0, Bytes(camera), 0, nullptr},
      {kCmdProperty, kPropMotionSensitivity, Long(40), 0, nullptr},
      {kCmdProperty, kPropIndicatorValue, Long(2), 0, nullptr},
      {kCmdProperty, kPropHook, Long(1), 0, [this] { client_.ExecLong(kCmdProperty, kPropHook, 0); }},
      {kCmdMovie, kMovieStart, Bytes(movie), 0, stop},
      {kCmdMovie, kMovieCompression, Bytes(VideoCompressionRecord{16, 0, -1, 15}), 0, nullptr},
      {kCmdMovie, kMovieAudioFormat, Bytes(AudioFormatRecord{24, 1, 11025, 8, 0, 0}), 0, nullptr},
      {kCmdTextStamp, 0, std::vector<BYTE>(style, style + 96), 0, nullptr},
      {kCmdSettings, 2, Bytes(settings), 0, nullptr},
      {kCmdSettings, 1, Bytes(settings), 0, nullptr},
      {kCmdPreview, 0, Bytes(preview), 0, previewOff},
      {kCmdNotifyWindow, 0, Long(static_cast<long>(WindowToRecord(sink_.Window()))), 0, nullptr},
      {kCmdPicture, kPictureSound, Bytes(sound), 0, nullptr},
      {kCmdPicture, kPictureToFile, Bytes(toFile), 0, nullptr},
      {kCmdPicture, kPictureToMapping, Bytes(toMapping), 0, nullptr},
      {kCmdIndexedPicture, kIndexedToFile, Bytes(indexed), 0, nullptr},
      {kCmdFormat, 1, Bytes(engine_test::FormatRecord(320, 240)), 0, nullptr},
      {kCmdStillFormat, 1, Bytes(StillFormatRecord{20, 1280, 960, 24, 0}), 0, nullptr},
      {kCmdProperty, kPropMotionReport, {}, 4, nullptr},
      {kCmdMovie, kMovieState, {}, 12, nullptr},
      {kCmdPreview, 0, {}, 32, nullptr},
      {kCmdCameraCount, 0, {}, 4, nullptr},
      {kCmdCameraRecord, 0, {}, 544, nullptr},
      {kCmdCurrentCamera, 0, {}, 544, nullptr},
      {kCmdCurrentIndex, 0, {}, 4, nullptr},
      {kCmdRememberedCamera, 0, {}, 544, nullptr},
      {kCmdRememberedIndex, 0, {}, 4, nullptr},
      {kCmdCameraState, 0, {}, 4, nullptr},
      {kCmdCameraInUse, 0, Long(0), 4, nullptr},
      {kCmdIndexedPicture, kIndexedCount, {}, 4, nullptr},
      {kCmdIndexedPicture, kIndexedInfo, Bytes(indexed), 796, nullptr},
      {kCmdFormat, 0, {}, 64, nullptr},
      {kCmdFormat, 3, Bytes(engine_test::FormatRecord(640, 480)), 1, nullptr},
      {kCmdMode, 3, {}, 4, nullptr},
      {kCmdStillFormat, 0, {}, 20, nullptr},
      {kCmdStillFormat, 2, Bytes(StillFormatRecord{20, 1280, 960, 24, 0}), 1, nullptr},
      {kCmdFeature, 0, Bytes(FeatureInquiryRecord{kShowHideFeature, 256, 256}), 1, nullptr},
      {kCmdLastFailure, 0, {}, 4, nullptr},
  };
}

TEST_F(EngineRobustness, EveryCommandWithValidShortOversizedAndMissingBuffers) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(::testing::Message() << c.command << "/" << c.sub);
    const long size = static_cast<long>(c.record.size());
    const HRESULT valid = Run(c, c.record.data(), size);
    EXPECT_EQ(S_OK, valid);
    if (c.cleanup) c.cleanup();
    std::vector<BYTE> oversized = c.record;
    oversized.resize(c.record.size() + 300, 0x5A);
    EXPECT_EQ(valid, Run(c, oversized.data(), static_cast<long>(oversized.size())));
    if (c.cleanup) c.cleanup();
    if (size > 0) {
      EXPECT_EQ(E_INVALIDARG, Run(c, c.record.data(), size - 1));
      EXPECT_EQ(E_INVALIDARG, Run(c, nullptr, 0));
      EXPECT_EQ(E_INVALIDARG, Run(c, nullptr, size));
    }
    if (c.outputSize > 0) {
      BYTE tiny[1] = {};
      if (c.outputSize > 1) {
        EXPECT_TRUE(FAILED(client_.Inq(c.command, c.sub, c.record.data(), size, tiny, 1)));
      }
    }
  }
  long count = 0;
  EXPECT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
  EXPECT_EQ(3, count);
}

TEST_F(EngineRobustness, UnknownCommandsAndSubCodesFail) {
  for (long command : {-1L, 0L, 8L, 16L, 24L, 27L, 30L, 98L, 100L, 999L}) {
    EXPECT_EQ(E_NOTIMPL, client_.Exec(command, 0)) << command;
    std::int32_t out = 0;
    EXPECT_EQ(E_NOTIMPL, client_.Inq(command, 0, nullptr, 0, &out, 4)) << command;
  }
  for (long command : {2L, 13L, 14L, 15L, 17L, 18L, 19L, 20L, 21L, 31L, 99L}) {
    EXPECT_EQ(E_NOTIMPL, client_.Exec(command, 0)) << command;
  }
  std::int32_t out = 0;
  for (long command : {1L, 3L, 4L, 7L, 9L, 11L, 12L, 23L, 1000L}) {
    EXPECT_EQ(E_NOTIMPL, client_.Inq(command, 0, nullptr, 0, &out, 4)) << command;
  }
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdMovie, 9));
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdPicture, 1));
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdPreview, 2));
  EXPECT_EQ(E_NOTIMPL, client_.Exec(kCmdFormat, 0));
  EXPECT_EQ(E_NOTIMPL, client_.Inq(kCmdMovie, 1, nullptr, 0, &out, 4));
}

TEST_F(EngineRobustness, NegativeSizesAndMissingOutputsNeverReachTheEngine) {
  BYTE buffer[64] = {};
  EXPECT_TRUE(FAILED(client_.Exec(kCmdCameraCount, 0, buffer, -1)));
  EXPECT_TRUE(FAILED(client_.Exec(kCmdIndexedPicture, kIndexedToBuffer, buffer, 4, buffer, -8)));
  EXPECT_TRUE(FAILED(client_.Inq(kCmdCameraCount, 0, nullptr, 0, buffer, -4)));
  EXPECT_TRUE(FAILED(client_.Inq(kCmdCameraCount, 0, nullptr, 0, nullptr, 4)));
  long count = 0;
  EXPECT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
}

}  // namespace
