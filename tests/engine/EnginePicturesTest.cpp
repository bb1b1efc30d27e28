// Pictures from the engine: bitmap files read back as 24-bit bitmaps of
// the capture (or still) size, complete bitmap file images in the client's
// mapping and in the caller's buffer of the indexed pictures, and the
// failure paths around them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "EngineClient.h"

using namespace engine;
using engine_test::EngineClient;

namespace {

std::size_t PictureSize(int width, int height) {
  return static_cast<std::size_t>(((24 * width + 31) & ~31) / 8) * height + 54;
}

// Checks a complete 24-bit bitmap file image of width x height.
void ExpectBitmapImage(const std::vector<BYTE>& bytes, int width, int height) {
  ASSERT_EQ(PictureSize(width, height), bytes.size());
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  std::memcpy(&file, bytes.data(), sizeof(file));
  std::memcpy(&info, bytes.data() + sizeof(file), sizeof(info));
  EXPECT_EQ(0x4D42, file.bfType);
  EXPECT_EQ(bytes.size(), file.bfSize);
  EXPECT_EQ(54u, file.bfOffBits);
  EXPECT_EQ(40u, info.biSize);
  EXPECT_EQ(width, info.biWidth);
  EXPECT_EQ(height, info.biHeight);
  EXPECT_EQ(1, info.biPlanes);
  EXPECT_EQ(24, info.biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), info.biCompression);
  // A real picture, not a blank buffer.
  std::size_t distinct = 0;
  for (std::size_t i = 55; i < bytes.size(); ++i) distinct += bytes[i] != bytes[54] ? 1 : 0;
  EXPECT_GT(distinct, bytes.size() / 4);
}

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

PictureRequestRecord Request(const std::string& target, const char* stamp = "", std::uint32_t size = 0) {
  PictureRequestRecord request{};
  request.size = sizeof(request);
  std::strncpy(request.target, target.c_str(), sizeof(request.target) - 1);
  std::strncpy(request.textStamp, stamp, sizeof(request.textStamp) - 1);
  request.mappingSize = size;
  return request;
}

class EnginePictures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, client_.Connect(0));
    temp_ = engine_test::TempFolder();
  }
  void TearDown() override { client_.SetFormat(320, 240); }

  // Takes a picture into a new mapping of mappingBytes, stating statedSize.
  HRESULT ToMapping(long sub, std::size_t mappingBytes, std::uint32_t statedSize,
                    std::vector<BYTE>* image) {
    const std::string name = "VX_IMAGE_" + std::to_string(::GetTickCount() + counter_++);
    common::UniqueKernelHandle mapping(::CreateFileMappingA(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(mappingBytes), name.c_str()));
    if (!mapping) return E_FAIL;
    const HRESULT hr = client_.ExecRecord(kCmdPicture, sub, Request(name, "", statedSize));
    common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    const BYTE* p = static_cast<const BYTE*>(view.get());
    image->assign(p, p + (statedSize < mappingBytes ? statedSize : mappingBytes));
    return hr;
  }

  EngineClient client_;
  std::string temp_;
  int counter_ = 0;
};

TEST_F(EnginePictures, FileIsA24BitBitmapOfTheCaptureSize) {
  for (const auto& size : {std::pair<int, int>{320, 240}, {640, 480}, {160, 120}, {240, 180}}) {
    ASSERT_EQ(S_OK, client_.SetFormat(size.first, size.second));
    const std::string path = temp_ + "engine-picture-" + std::to_string(size.first) + ".bmp";
    ::DeleteFileA(path.c_str());
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPicture, kPictureToFile, Request(path, "Stamp 12:34")));
    ExpectBitmapImage(ReadFile(path), size.first, size.second);
  }
}

TEST_F(EnginePictures, TextStampChangesOnlyItsCorner) {
  // Same scene twice (no frames advance without consumers): one picture
  // without and one with a stamp in the bottom-left corner.
  const std::string plain = temp_ + "engine-plain.bmp", stamped = temp_ + "engine-stamped.bmp";
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPicture, kPictureToFile, Request(plain)));
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdPicture, kPictureToFile, Request(stamped, "STAMP")));
  const std::vector<BYTE> a = ReadFile(plain), b = ReadFile(stamped);
  ASSERT_EQ(a.size(), b.size());
  const std::size_t stride = 960;
  std::size_t bottomChanges = 0, topChanges = 0;
  for (std::size_t i = 54; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    const std::size_t rowFromBottom = (i - 54) / stride;
    (rowFromBottom < 60 ? bottomChanges : topChanges) += 1;
  }
  EXPECT_GT(bottomChanges, 100u);
  // The clock may tick between the two pictures; the stamp adds far more.
  EXPECT_LT(topChanges, bottomChanges);
}

TEST_F(EnginePictures, FileFailuresReportTheirReason) {
  const std::string missing = temp_ + "no-such-folder\\picture.bmp";
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdPicture, kPictureToFile, Request(missing))));
  long reason = 0;
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonFile, reason);
  EXPECT_EQ(E_INVALIDARG, client_.ExecRecord(kCmdPicture, kPictureToFile, Request("")));
  client_.Exec(kCmdDisconnect, 0);
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdPicture, kPictureToFile, Request(temp_ + "x.bmp"))));
  client_.InqLong(kCmdLastFailure, 0, &reason);
  EXPECT_EQ(kReasonNoCamera, reason);
}

TEST_F(EnginePictures, MappingReceivesACompleteBitmapImage) {
  std::vector<BYTE> image;
  const std::size_t exact = PictureSize(320, 240);
  ASSERT_EQ(230454u, exact);
  ASSERT_EQ(S_OK, ToMapping(kPictureToMapping, exact, static_cast<std::uint32_t>(exact), &image));
  ExpectBitmapImage(image, 320, 240);
  // A larger mapping is fine; the image fills its front.
  ASSERT_EQ(S_OK, ToMapping(kPictureToMapping, exact + 4096, static_cast<std::uint32_t>(exact + 4096), &image));
  image.resize(exact);
  ExpectBitmapImage(image, 320, 240);
}

TEST_F(EnginePictures, MappingTooSmallOrMissingIsRefused) {
  std::vector<BYTE> image;
  const std::size_t exact = PictureSize(320, 240);
  // Stated one byte short.
  EXPECT_TRUE(FAILED(ToMapping(kPictureToMapping, exact, static_cast<std::uint32_t>(exact - 1), &image)));
  // Stated right but the mapping itself is small: the engine must not
  // write past it.
  EXPECT_TRUE(FAILED(ToMapping(kPictureToMapping, 4096, static_cast<std::uint32_t>(exact), &image)));
  EXPECT_TRUE(FAILED(client_.ExecRecord(kCmdPicture, kPictureToMapping,
                                        Request("VX_IMAGE_0", "", static_cast<std::uint32_t>(exact)))));
  long count = 0;
  EXPECT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
}

TEST_F(EnginePictures, StillSizePictureGoesToTheMapping) {
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdStillFormat, 1, StillFormatRecord{20, 1280, 960, 24, 0}));
  std::vector<BYTE> image;
  const std::size_t exact = PictureSize(1280, 960);
  ASSERT_EQ(S_OK, ToMapping(kPictureToMappingStill, exact, static_cast<std::uint32_t>(exact), &image));
  ExpectBitmapImage(image, 1280, 960);
}

TEST_F(EnginePictures, IndexedPicturesCountDescribeAndCopy) {
  long count = 0;
  ASSERT_EQ(S_OK, client_.InqLong(kCmdIndexedPicture, kIndexedCount, &count));
  ASSERT_GE(count, 3);
  IndexedPictureRecord record{};
  record.size = sizeof(record);
  record.pictureNumber = 1;
  IndexedPictureRecord info{};
  ASSERT_EQ(S_OK, client_.Inq(kCmdIndexedPicture, kIndexedInfo, &record, sizeof(record), &info, sizeof(info)));
  EXPECT_EQ(320, info.width);
  EXPECT_EQ(240, info.height);
  EXPECT_EQ(24, info.bitDepth);
  EXPECT_EQ(230454, info.imageSize);

  // The caller's buffer comes back filled.
  std::vector<BYTE> buffer(static_cast<std::size_t>(info.imageSize), 0xEE);
  ASSERT_EQ(S_OK, client_.Exec(kCmdIndexedPicture, kIndexedToBuffer, &record, sizeof(record),
                               buffer.data(), static_cast<long>(buffer.size())));
  ExpectBitmapImage(buffer, 320, 240);
  // Too small, or missing: refused, and the buffer is not touched.
  std::vector<BYTE> small(1000, 0xEE);
  EXPECT_TRUE(FAILED(client_.Exec(kCmdIndexedPicture, kIndexedToBuffer, &record, sizeof(record),
                                  small.data(), static_cast<long>(small.size()))));
  EXPECT_EQ(std::vector<BYTE>(1000, 0xEE), small);
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kCmdIndexedPicture, kIndexedToBuffer, &record, sizeof(record)));

  record.pictureNumber = count;
  EXPECT_EQ(E_INVALIDARG, client_.Inq(kCmdIndexedPicture, kIndexedInfo, &record, sizeof(record), &info, sizeof(info)));
  record.pictureNumber = -1;
  EXPECT_EQ(E_INVALIDARG, client_.Exec(kCmdIndexedPicture, kIndexedToBuffer, &record, sizeof(record),
                                       buffer.data(), static_cast<long>(buffer.size())));

  record.pictureNumber = 0;
  const std::string path = temp_ + "engine-indexed.bmp";
  std::strcpy(record.fileName, path.c_str());
  ASSERT_EQ(S_OK, client_.ExecRecord(kCmdIndexedPicture, kIndexedToFile, record));
  ExpectBitmapImage(ReadFile(path), 320, 240);

  ASSERT_EQ(S_OK, client_.Exec(kCmdIndexedPicture, kIndexedTake));
  long more = 0;
  client_.InqLong(kCmdIndexedPicture, kIndexedCount, &more);
  EXPECT_EQ(count + 1 > 8 ? 8 : count + 1, more);
  ASSERT_EQ(S_OK, client_.Exec(kCmdIndexedPicture, kIndexedClear));
  client_.InqLong(kCmdIndexedPicture, kIndexedCount, &more);
  EXPECT_EQ(0, more);
}

}  // namespace
