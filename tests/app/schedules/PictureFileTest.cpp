// The direct reading of plain 24-bit bitmap files against LoadImage: the
// same files converted through both paths give byte-identical JPEG files,
// and files the direct path does not take behave exactly as before.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "JpegConversion.h"
#include "PictureFile.h"

namespace {

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + L"torvane_picturefile_" + name;
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <typename T>
void Put(std::vector<unsigned char>& bytes, T value) {
  const auto* p = reinterpret_cast<const unsigned char*>(&value);
  bytes.insert(bytes.end(), p, p + sizeof(T));
}

// A 24-bit BI_RGB file; rows are given top to bottom and stored in the
// file's order (bottom-up for a positive height). Padding bytes are
// non-zero so that a reader that mixed them into pixels would show.
std::vector<unsigned char> Bmp24(int width, int height, bool topDown) {
  const int stride = ((width * 24 + 31) / 32) * 4;
  std::vector<unsigned char> bytes;
  Put<WORD>(bytes, 0x4D42);
  Put<DWORD>(bytes, 54 + stride * height);
  Put<WORD>(bytes, 0);
  Put<WORD>(bytes, 0);
  Put<DWORD>(bytes, 54);
  Put<DWORD>(bytes, 40);
  Put<LONG>(bytes, width);
  Put<LONG>(bytes, topDown ? -height : height);
  Put<WORD>(bytes, 1);
  Put<WORD>(bytes, 24);
  Put<DWORD>(bytes, BI_RGB);
  Put<DWORD>(bytes, stride * height);
  Put<LONG>(bytes, 2835);
  Put<LONG>(bytes, 2835);
  Put<DWORD>(bytes, 0);
  Put<DWORD>(bytes, 0);
  for (int i = 0; i < height; ++i) {
    const int y = topDown ? i : height - 1 - i;  // image row stored i-th
    for (int x = 0; x < width; ++x) {
      bytes.push_back(static_cast<unsigned char>((x * 7 + y * 3) & 0xFF));        // blue
      bytes.push_back(static_cast<unsigned char>((x * x + y * 11) & 0xFF));       // green
      bytes.push_back(static_cast<unsigned char>(((x ^ y) * 5 + 40) & 0xFF));     // red
    }
    for (int p = width * 3; p < stride; ++p) bytes.push_back(0xA5);
  }
  return bytes;
}

struct Outcome {
  ConversionResult result;
  std::vector<unsigned char> jpeg;
};

Outcome Convert(const std::wstring& bmp, const wchar_t* name, BitmapLoadPath path) {
  JpegSettings settings;
  settings.comment = L"picture file test";
  const std::wstring jpeg = TempPath(name);
  ::DeleteFileW(jpeg.c_str());
  Outcome outcome{ConvertBitmapToJpeg(bmp, jpeg, settings, path), ReadBytes(jpeg)};
  ::DeleteFileW(jpeg.c_str());
  return outcome;
}

// Converts the file through both paths and expects the same result and the
// same bytes; returns whether the direct path took the file.
bool SameThroughBothPaths(const std::vector<unsigned char>& file, const wchar_t* name) {
  const std::wstring bmp = TempPath(name);
  WriteBytes(bmp, file);
  bool direct = false;
  { LoadBitmapPicture(bmp, BitmapLoadPath::kAny, &direct); }
  const Outcome viaLoadImage = Convert(bmp, L"old.jpg", BitmapLoadPath::kLoadImageOnly);
  const Outcome viaDefault = Convert(bmp, L"new.jpg", BitmapLoadPath::kAny);
  EXPECT_EQ(viaLoadImage.result, viaDefault.result) << "file " << std::string(name, name + wcslen(name));
  EXPECT_TRUE(viaLoadImage.jpeg == viaDefault.jpeg)
      << "JPEG bytes differ for " << std::string(name, name + wcslen(name)) << " ("
      << viaLoadImage.jpeg.size() << " vs " << viaDefault.jpeg.size() << " bytes)";
  ::DeleteFileW(bmp.c_str());
  return direct;
}

TEST(PictureFileDirect, BottomUpEvenWidthSameJpeg) {
  EXPECT_TRUE(SameThroughBothPaths(Bmp24(64, 48, false), L"even.bmp"));
}

TEST(PictureFileDirect, OddWidthRowPaddingSameJpeg) {
  EXPECT_TRUE(SameThroughBothPaths(Bmp24(37, 29, false), L"odd.bmp"));
  EXPECT_TRUE(SameThroughBothPaths(Bmp24(1, 1, false), L"one.bmp"));
}

// Top-down files keep going through LoadImage (under Wine 8 it does not
// give the file's pixels for them, and the JPEG must not change).
TEST(PictureFileDirect, TopDownFallsBackSameJpeg) {
  EXPECT_FALSE(SameThroughBothPaths(Bmp24(37, 29, true), L"topdown_odd.bmp"));
  EXPECT_FALSE(SameThroughBothPaths(Bmp24(64, 48, true), L"topdown.bmp"));
}

TEST(PictureFileDirect, CameraSizeSameJpeg) {
  EXPECT_TRUE(SameThroughBothPaths(Bmp24(1280, 960, false), L"camera.bmp"));
}

TEST(PictureFileDirect, TruncatedFileFallsBack) {
  std::vector<unsigned char> file = Bmp24(37, 29, false);
  file.resize(file.size() - 10);
  EXPECT_FALSE(SameThroughBothPaths(file, L"truncated.bmp"));
  std::vector<unsigned char> headerOnly = Bmp24(37, 29, false);
  headerOnly.resize(40);
  EXPECT_FALSE(SameThroughBothPaths(headerOnly, L"header_only.bmp"));
}

TEST(PictureFileDirect, UnusualHeadersFallBack) {
  std::vector<unsigned char> wrongType = Bmp24(16, 8, false);
  wrongType[0] = 'X';
  EXPECT_FALSE(SameThroughBothPaths(wrongType, L"wrong_type.bmp"));

  std::vector<unsigned char> planes = Bmp24(16, 8, false);
  planes[26] = 2;  // biPlanes
  EXPECT_FALSE(SameThroughBothPaths(planes, L"planes.bmp"));

  std::vector<unsigned char> compressed = Bmp24(16, 8, false);
  compressed[30] = BI_BITFIELDS;  // biCompression
  EXPECT_FALSE(SameThroughBothPaths(compressed, L"compressed.bmp"));

  std::vector<unsigned char> zeroHeight = Bmp24(16, 8, false);
  zeroHeight[22] = 0;  // biHeight
  EXPECT_FALSE(SameThroughBothPaths(zeroHeight, L"zero_height.bmp"));

  std::vector<unsigned char> gap = Bmp24(16, 8, false);
  gap[10] = 58;  // bfOffBits past the header
  gap.insert(gap.begin() + 54, 4, 0);
  EXPECT_FALSE(SameThroughBothPaths(gap, L"gap.bmp"));
}

TEST(PictureFileDirect, MissingFileFailsAsBefore) {
  const std::wstring missing = TempPath(L"missing.bmp");
  ::DeleteFileW(missing.c_str());
  bool direct = true;
  EXPECT_FALSE(LoadBitmapPicture(missing, BitmapLoadPath::kAny, &direct));
  EXPECT_FALSE(direct);
  EXPECT_EQ(Convert(missing, L"missing.jpg", BitmapLoadPath::kAny).result,
            ConversionResult::kUnreadableBitmap);
}

}  // namespace
