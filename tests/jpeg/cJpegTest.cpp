// cJpeg on Windows (run under Wine): sampling a device context, comments in
// the ANSI code page, and the results of SaveFile.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "BgrSampler.h"
#include "cJpeg.h"
#include <common/UniqueHandle.h>

namespace {

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A 24-bit DIB section in a memory DC, filled with a known pattern.
struct Canvas {
  common::UniqueMemoryDc dc{::CreateCompatibleDC(nullptr)};
  common::UniqueBitmap bitmap;
  std::unique_ptr<common::SelectionGuard> selection;
  uint8_t* bits = nullptr;
  int width, height, stride;

  Canvas(int w, int h, bool topDown = true) : width(w), height(h), stride((3 * w + 3) & ~3) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = topDown ? -h : h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* p = nullptr;
    bitmap.reset(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &p, nullptr, 0));
    bits = static_cast<uint8_t*>(p);
    selection = std::make_unique<common::SelectionGuard>(dc.get(), bitmap.get());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        uint8_t* px = bits + y * stride + 3 * x;
        px[0] = static_cast<uint8_t>(x * 7), px[1] = static_cast<uint8_t>(y * 5);
        px[2] = static_cast<uint8_t>((x ^ y) * 3);
      }
    }
  }
};

class cJpegFiles : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path_.c_str());
  }
  std::wstring path_ = TempPath(L"cjpeg_test.jpg");
};

TEST_F(cJpegFiles, SampledDeviceContextMatchesThePortableCore) {
  Canvas canvas(45, 21);
  cJpeg writer;
  writer.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  writer.Quality(90);
  ASSERT_EQ(writer.SampleHDC(canvas.dc.get(), 45, 21, 0, 0), 0);
  ASSERT_EQ(writer.SaveFile(path_), 0);

  jpeg::JpegEncoder core;
  core.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  core.SetQuality(90);
  jpeg::SampleBgr(core, canvas.bits, canvas.stride, 45, 21);
  const std::vector<uint8_t> expected = core.EncodeFile();
  EXPECT_EQ(ReadFileBytes(path_), std::string(expected.begin(), expected.end()));
}

// A bottom-up bitmap, a rectangle inside it that does not fill whole blocks.
TEST_F(cJpegFiles, SampledBottomUpRectangleMatchesThePortableCore) {
  Canvas canvas(53, 37, false);  // memory rows bottom to top
  cJpeg writer;
  writer.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  writer.Quality(85);
  ASSERT_EQ(writer.SampleHDC(canvas.dc.get(), 29, 19, 5, 11), 0);
  ASSERT_EQ(writer.SaveFile(path_), 0);

  jpeg::JpegEncoder core;
  core.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  core.SetQuality(85);
  const uint8_t* top = canvas.bits + canvas.stride * (canvas.height - 1 - 11) + 3 * 5;
  jpeg::SampleBgr(core, top, -canvas.stride, 29, 19);
  const std::vector<uint8_t> expected = core.EncodeFile();
  EXPECT_EQ(ReadFileBytes(path_), std::string(expected.begin(), expected.end()));
}

TEST_F(cJpegFiles, SourceOriginSelectsTheRectangle) {
  Canvas canvas(40, 40);
  cJpeg whole, part;
  ASSERT_EQ(whole.SampleHDC(canvas.dc.get(), 40, 40, 0, 0), 0);
  ASSERT_EQ(part.SampleHDC(canvas.dc.get(), 16, 16, 8, 16), 0);
  const auto& y = part.Encoder().GetFrame().components[0];
  EXPECT_EQ(y.cw, 16);
  EXPECT_NE(whole.Encoder().GetFrame().components[0].blocks.Dc(0), y.blocks.Dc(0));
  EXPECT_EQ(part.SampleHDC(canvas.dc.get(), 0, 16, 0, 0), 1);  // no picture to take
}

TEST_F(cJpegFiles, SaveFileResults) {
  Canvas canvas(8, 8);
  cJpeg writer;
  writer.SampleHDC(canvas.dc.get(), 8, 8, 0, 0);
  EXPECT_EQ(writer.SaveFile(L""), 1);

  std::ofstream(path_.c_str()) << "keep";
  for (DWORD attributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_HIDDEN,
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM}) {
    ::SetFileAttributesW(path_.c_str(), attributes);
    EXPECT_EQ(writer.SaveFile(path_), 2) << attributes;
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(path_), "keep");
  }
  Clean();
  EXPECT_EQ(writer.SaveFile(path_), 0);
  EXPECT_EQ(writer.SaveFile(path_), 2);  // saving twice never overwrites

  try {
    writer.SaveFile(TempPath(L"no such folder\\x.jpg"));
    FAIL() << "wrote into a missing folder";
  } catch (const jpeg::JpegError& e) {
    EXPECT_EQ(e.Number(), 76);
  }
}

TEST_F(cJpegFiles, CommentIsWrittenInTheAnsiCodePage) {
  Canvas canvas(8, 8);
  cJpeg writer;
  writer.SampleHDC(canvas.dc.get(), 8, 8, 0, 0);
  writer.Comment(L"Caf\u00e9");
  EXPECT_EQ(writer.Comment(), L"Caf\u00e9");
  ASSERT_EQ(writer.SaveFile(path_), 0);
  const std::string file = ReadFileBytes(path_);
  EXPECT_EQ(file.substr(20, 9), std::string("\xFF\xFE\x00\x06" "Caf\xE9", 8) + '\xFF');

  EXPECT_THROW(writer.Comment(std::wstring(65534, L'x')), jpeg::JpegError);
  EXPECT_EQ(writer.Comment(), L"Caf\u00e9");
}

}  // namespace
