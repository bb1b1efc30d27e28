// The image view loads what the program stores: bitmap files and the JPEG
// files of pictures stored as JPEG (read through OLE), and refuses a file
// that is neither.
#include <gtest/gtest.h>

#include <objbase.h>

#include <fstream>
#include <string>
#include <vector>

#include "JpegConversion.h"
#include "SnapshotView.h"
#include "common/ComInit.h"
#include "common/Strings.h"

namespace torvane {
namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// A 24-bit bitmap file of width x height, a gradient.
void WriteBitmapFile(const std::wstring& path, LONG width, LONG height) {
  const DWORD stride = (width * 3 + 3) & ~3u;
  BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24, BI_RGB, stride * height, 0, 0, 0, 0};
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(info) + info.biSizeImage), 0, 0,
                           static_cast<DWORD>(sizeof(file) + sizeof(info))};
  std::vector<char> pixels(info.biSizeImage);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<char>(i * 7);
  std::ofstream out(common::WideToAnsi(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  out.write(pixels.data(), pixels.size());
}

TEST(SnapshotView, LoadsBitmapAndJpegFilesAndRefusesOthers) {
  common::ComInit com(COINIT_APARTMENTTHREADED);
  const std::wstring bitmap = TempFile(L"snapshot-view.bmp"), jpeg = TempFile(L"snapshot-view.jpg"),
                     other = TempFile(L"snapshot-view.txt");
  WriteBitmapFile(bitmap, 64, 48);
  ASSERT_EQ(ConversionResult::kSaved, ConvertBitmapToJpeg(bitmap, jpeg, JpegSettings{}));
  std::ofstream(common::WideToAnsi(other)) << "no picture";
  SnapshotView view;
  for (const std::wstring& path : {bitmap, jpeg}) {
    SCOPED_TRACE(common::WideToAnsi(path));
    ASSERT_TRUE(view.LoadFile(path));
    EXPECT_EQ(64, view.PictureSize().cx);
    EXPECT_EQ(48, view.PictureSize().cy);
  }
  EXPECT_FALSE(view.LoadFile(other));
  EXPECT_FALSE(view.HasPicture()) << "a refused file empties the view";
  EXPECT_FALSE(view.LoadFile(TempFile(L"snapshot-view-missing.jpg")));
  for (const std::wstring& path : {bitmap, jpeg, other}) ::DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace torvane
