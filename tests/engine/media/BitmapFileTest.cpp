// Bitmap file images: sizes, header fields, buffer checks, and files read
// back by the system's own bitmap loader.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "common/UniqueHandle.h"
#include "media/BitmapFile.h"

namespace {

media::Frame Gradient(int width, int height) {
  media::Frame frame;
  EXPECT_EQ(frame.Allocate(width, height), S_OK);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = frame.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(x), p[1] = static_cast<std::uint8_t>(y), p[2] = 200;
    }
  }
  return frame;
}

TEST(BitmapFile, SizeFollowsRowPaddingFormula) {
  EXPECT_EQ(media::BitmapFileSize(320, 240), 230454u);
  EXPECT_EQ(media::BitmapFileSize(640, 480), 921654u);
  // Odd widths: 1 px = 3 bytes padded to 4; 3 px = 9 -> 12; 161 px = 483 -> 484.
  EXPECT_EQ(media::BitmapFileSize(1, 1), 4u + 54u);
  EXPECT_EQ(media::BitmapFileSize(3, 5), 12u * 5 + 54u);
  EXPECT_EQ(media::BitmapFileSize(161, 121), 484u * 121 + 54u);
  EXPECT_EQ(media::BitmapFileSize(0, 240), 0u);
  EXPECT_EQ(media::BitmapFileSize(320, -1), 0u);
}

TEST(BitmapFile, HeadersDescribeBottomUp24BitRows) {
  const media::Frame frame = Gradient(161, 7);
  const std::vector<std::uint8_t> bytes = media::BitmapFileBytes(frame);
  ASSERT_EQ(bytes.size(), media::BitmapFileSize(161, 7));
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + 14, sizeof info);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(file.bfSize, bytes.size());
  EXPECT_EQ(file.bfOffBits, 54u);
  EXPECT_EQ(info.biSize, 40u);
  EXPECT_EQ(info.biWidth, 161);
  EXPECT_EQ(info.biHeight, 7);  // positive: bottom-up
  EXPECT_EQ(info.biPlanes, 1);
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(info.biSizeImage, 484u * 7);
  // The first stored row is the bottom row of the picture.
  EXPECT_EQ(bytes[54 + 0], 0);
  EXPECT_EQ(bytes[54 + 1], 6);
  EXPECT_EQ(bytes[54 + 484 + 1], 5);
}

TEST(BitmapFile, BufferCopyRefusesOneByteShortAndBadArguments) {
  const media::Frame frame = Gradient(320, 240);
  std::vector<std::uint8_t> buffer(230454, 0xAB);
  EXPECT_EQ(media::CopyBitmapFile(frame, buffer.data(), buffer.size() - 1),
            HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(230454, 0xAB)) << "a refused copy writes nothing";
  EXPECT_EQ(media::CopyBitmapFile(frame, nullptr, buffer.size()), E_INVALIDARG);
  EXPECT_EQ(media::CopyBitmapFile(media::Frame(), buffer.data(), buffer.size()), E_INVALIDARG);
  ASSERT_EQ(media::CopyBitmapFile(frame, buffer.data(), buffer.size()), S_OK);
  EXPECT_EQ(buffer, media::BitmapFileBytes(frame));
}

TEST(BitmapFile, WrittenFileLoadsWithTheSystemLoader) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"picture.bmp");
  const media::Frame frame = Gradient(161, 121);
  ASSERT_EQ(media::WriteBitmapFile(frame, path), S_OK);
  EXPECT_EQ(folder.FileSize(L"picture.bmp"), media::BitmapFileSize(161, 121));

  common::UniqueBitmap loaded(static_cast<HBITMAP>(::LoadImageW(
      nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ASSERT_TRUE(loaded);
  DIBSECTION dib = {};
  ASSERT_EQ(::GetObjectW(loaded.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 161);
  EXPECT_EQ(dib.dsBm.bmHeight, 121);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
  EXPECT_EQ(std::memcmp(dib.dsBm.bmBits, frame.Bits(), frame.ImageBytes()), 0);
  EXPECT_TRUE(folder.OnlyFiles({L"picture.bmp"})) << "no temporary file stays behind";
}

TEST(BitmapFile, UnwritableTargetsAreReportedAndKeepTheOldFile) {
  testing_support::TempFolder folder;
  const media::Frame frame = Gradient(8, 8);
  EXPECT_TRUE(FAILED(media::WriteBitmapFile(frame, folder.Path(L"missing\\picture.bmp"))));
  EXPECT_EQ(media::WriteBitmapFile(frame, L""), E_INVALIDARG);
  EXPECT_EQ(media::WriteBitmapFile(media::Frame(), folder.Path(L"x.bmp")), E_INVALIDARG);

  const std::wstring locked = folder.Path(L"locked.bmp");
  folder.WriteFile(L"locked.bmp", "old");
  ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(media::WriteBitmapFile(frame, locked), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(folder.FileSize(L"locked.bmp"), 3u) << "the read-only file is untouched";
  EXPECT_TRUE(folder.OnlyFiles({L"locked.bmp"})) << "the temporary file is removed";
  ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
