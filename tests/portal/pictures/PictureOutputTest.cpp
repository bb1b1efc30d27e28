// Pictures through the control with the real camera engine, called late
// bound as the application calls them: memory sizes, complete bitmap
// images, refused formats and buffers that never reach the engine, the
// write-protected target with its one message box, live video restored,
// the busy indicator, and the early-bound indexed pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DialogWatch.h"
#include "PortalHost.h"
#include "PortalLibrary.h"
#include "common/Strings.h"
#include "common/UniqueBstr.h"
#include "engine/interface/EngineCommands.h"

namespace picture_test {
namespace {

using portal_test::DialogWatch;

constexpr LONG kInjectedReason = 4321;

std::vector<BYTE> ReadFile(const std::wstring& path) {
  std::ifstream in(common::WideToAnsi(path), std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

class PictureOutputTest : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    host_.Open();
  }
  void TearDown() override {
    host_.Close();
    OleTest::TearDown();
  }

  // The injected failure is still waiting: the next engine command fails
  // with it, which proves nothing reached the engine in between.
  void ExpectFailureStillPending() {
    EXPECT_EQ(-12345, host_.ReadProperty(engine::kPropLiveVideo)) << "this read must be the one that fails";
    EXPECT_EQ(kInjectedReason, host_.LastFailure());
  }

  PortalHost host_;
};

TEST_F(PictureOutputTest, MemorySizeFollowsTheCaptureFormat) {
  ASSERT_EQ(1, host_.SetFormat(320, 240));
  EXPECT_EQ(230454, host_.MemorySize());
  ASSERT_EQ(1, host_.SetFormat(640, 480));
  EXPECT_EQ(921654, host_.MemorySize());
}

TEST_F(PictureOutputTest, MemoryPictureIsACompleteBitmapFile) {
  ASSERT_EQ(1, host_.SetFormat(640, 480));
  const LONG size = host_.MemorySize();
  ASSERT_EQ(921654, size);
  std::vector<BYTE> buffer(static_cast<size_t>(size), 0xCD);
  ASSERT_EQ(1, host_.PictureToMemory(&buffer, size));
  ExpectBitmapFile(buffer.data(), buffer.size(), 640, 480);
  EXPECT_NE(buffer.end(), std::find_if(buffer.begin() + 54, buffer.end(), [](BYTE b) { return b != 0xCD; }));
}

TEST_F(PictureOutputTest, LargerBufferTakesThePictureAtItsStart) {
  ASSERT_EQ(1, host_.SetFormat(320, 240));
  std::vector<BYTE> buffer(230454 + 100, 0xCD);
  ASSERT_EQ(1, host_.PictureToMemory(&buffer, static_cast<LONG>(buffer.size())));
  ExpectBitmapFile(buffer.data(), buffer.size(), 320, 240);
}

TEST_F(PictureOutputTest, BufferOneByteTooSmallIsLeftAlone) {
  ASSERT_EQ(1, host_.SetFormat(320, 240));
  std::vector<BYTE> buffer(230453, 0x5A);
  EXPECT_EQ(0, host_.PictureToMemory(&buffer, 230453));
  EXPECT_EQ(std::vector<BYTE>(230453, 0x5A), buffer);
}

TEST_F(PictureOutputTest, RefusedFormatsNeverReachTheEngine) {
  const std::wstring path = TempPath(L"vp_refused.bmp");
  ::DeleteFileW(path.c_str());
  ASSERT_EQ(0, host_.FailNextCommand(kInjectedReason));
  DialogWatch watch;
  EXPECT_EQ(0, host_.PictureToFile(path, 0, 8));
  EXPECT_EQ(0, host_.PictureToFile(path, 0x47504A4D /* MJPG */, 24));
  EXPECT_EQ(0, host_.PictureToFile(path, 0, 32));
  std::vector<BYTE> buffer(921654, 0x11);
  EXPECT_EQ(0, host_.Call(dispid::kPictureToMemory, [&] {
    LONG size = 921654;
    auto args = PortalHost::Args(0L, 16L);
    args.push_back(testing_support::Variant::Pointer(reinterpret_cast<LONG_PTR>(buffer.data())));
    args.push_back(testing_support::Variant::ByRef(&size));
    args.emplace_back(L"");
    return args;
  }()));
  EXPECT_EQ(0, watch.MessageBoxes());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
  EXPECT_EQ(std::vector<BYTE>(921654, 0x11), buffer);
  ExpectFailureStillPending();
}

TEST_F(PictureOutputTest, PictureFilesHaveTheBitmapSize) {
  for (LONG width : {320L, 640L}) {
    const LONG height = width * 3 / 4;
    SCOPED_TRACE(width);
    ASSERT_EQ(1, host_.SetFormat(width, height));
    const std::wstring path = TempPath(L"vp_picture_" + std::to_wstring(width) + L".bmp");
    ::DeleteFileW(path.c_str());
    ASSERT_EQ(1, host_.PictureToFile(path));
    const std::vector<BYTE> file = ReadFile(path);
    EXPECT_EQ(static_cast<size_t>(BitmapFileSize(width, height)), file.size());
    ExpectBitmapFile(file.data(), file.size(), width, height);
    ::DeleteFileW(path.c_str());
  }
}

TEST_F(PictureOutputTest, WriteProtectedTargetExplainsOnceBeforeAnyEngineCommand) {
  const std::wstring path = TempPath(L"vp_locked.bmp");
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  {
    std::ofstream out(common::WideToAnsi(path), std::ios::binary);
    out << "keep me";
  }
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  LONG injected = -1;
  // While the box is up the engine is told to fail its next command; the
  // failure is still waiting afterwards, so no command followed the box.
  DialogWatch watch([&] { injected = host_.FailNextCommand(kInjectedReason); });
  EXPECT_EQ(0, host_.PictureToFile(path));
  ASSERT_EQ(1, watch.MessageBoxes());
  EXPECT_EQ(0, injected);
  const std::wstring& text = watch.Texts().front();
  EXPECT_NE(std::wstring::npos, text.find(path)) << common::WideToAnsi(text);
  EXPECT_NE(std::wstring::npos, text.find(L"read-only")) << common::WideToAnsi(text);
  EXPECT_FALSE(watch.Captions().front().empty());
  EXPECT_EQ(0, watch.QuietDialogs()) << "no busy indicator for a refused picture";
  ExpectFailureStillPending();
  const std::vector<BYTE> kept = ReadFile(path);
  EXPECT_EQ(std::string("keep me"), std::string(kept.begin(), kept.end()));
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path.c_str());
}

TEST_F(PictureOutputTest, PromptCanBeSwitchedOff) {
  host_.Put(dispid::kEnablePictureDiskErrorPrompt, 0);
  DialogWatch watch;
  EXPECT_EQ(0, host_.PictureToFile(TempPath(L"no\\such\\folder\\x.bmp")));
  EXPECT_EQ(0, watch.MessageBoxes());
  host_.Put(dispid::kEnablePictureDiskErrorPrompt, 1);
  EXPECT_EQ(0, host_.PictureToFile(TempPath(L"no\\such\\folder\\x.bmp")));
  ASSERT_EQ(1, watch.MessageBoxes());
  EXPECT_NE(std::wstring::npos, watch.Texts().front().find(L"does not exist"))
      << common::WideToAnsi(watch.Texts().front()) << " / " << common::WideToAnsi(watch.Captions().front());
}

TEST_F(PictureOutputTest, CameraStateIsExplainedBeforeTheDisk) {
  const std::wstring path = TempPath(L"vp_state.bmp");
  ASSERT_EQ(0, host_.SetCameraState(2));
  {
    DialogWatch watch;
    EXPECT_EQ(0, host_.PictureToFile(path));
    ASSERT_EQ(1, watch.MessageBoxes());
    EXPECT_NE(std::wstring::npos, watch.Texts().front().find(L"another program"))
        << common::WideToAnsi(watch.Texts().front());
    EXPECT_NE(std::wstring::npos, watch.Texts().front().find(path));
  }
  ASSERT_EQ(0, host_.SetCameraState(4));
  {
    DialogWatch watch;
    EXPECT_EQ(0, host_.PictureToFile(path));
    EXPECT_EQ(0, watch.MessageBoxes()) << "an unavailable camera fails the picture silently";
  }
  ASSERT_EQ(0, host_.SetCameraState(0));
  EXPECT_EQ(1, host_.PictureToFile(path));
  ::DeleteFileW(path.c_str());
}

TEST_F(PictureOutputTest, LiveVideoComesBackOnEveryPath) {
  ASSERT_EQ(1, host_.Call(dispid::kSetCameraPropertyLong, PortalHost::Args(engine::kPropLiveVideo, 1L)));
  ASSERT_EQ(1, host_.Call(dispid::kEnableUIElements, PortalHost::Args(tovra2::kElementPreviewDuringPictures, 0L, 0L)));
  ASSERT_EQ(1, host_.SetFormat(320, 240));
  EXPECT_EQ(230454, host_.MemorySize());
  EXPECT_EQ(1, host_.ReadProperty(engine::kPropLiveVideo)) << "after the size query";
  std::vector<BYTE> small(100);
  EXPECT_EQ(0, host_.PictureToMemory(&small, 100));
  EXPECT_EQ(1, host_.ReadProperty(engine::kPropLiveVideo)) << "after a refused buffer";
  std::vector<BYTE> buffer(230454);
  EXPECT_EQ(1, host_.PictureToMemory(&buffer, 230454));
  EXPECT_EQ(1, host_.ReadProperty(engine::kPropLiveVideo)) << "after a memory picture";
  const std::wstring path = TempPath(L"vp_live.bmp");
  EXPECT_EQ(1, host_.PictureToFile(path));
  EXPECT_EQ(1, host_.ReadProperty(engine::kPropLiveVideo)) << "after a picture file";
  ::DeleteFileW(path.c_str());
}

TEST_F(PictureOutputTest, BusyIndicatorComesAndGoesWithLiveVideo) {
  ASSERT_EQ(1, host_.Call(dispid::kSetCameraPropertyLong, PortalHost::Args(engine::kPropLiveVideo, 1L)));
  ASSERT_EQ(host_.ContainerWindow(), ::GetAncestor(::GetForegroundWindow(), GA_ROOT));
  const std::wstring path = TempPath(L"vp_busy.bmp");
  {
    DialogWatch watch;
    ASSERT_EQ(1, host_.PictureToFile(path));
    EXPECT_EQ(1, watch.QuietDialogs());
    EXPECT_FALSE(watch.AnyDialogLeft());
    std::vector<BYTE> buffer(230454 * 4);
    ASSERT_EQ(1, host_.PictureToMemory(&buffer, static_cast<LONG>(buffer.size())));
    EXPECT_EQ(2, watch.QuietDialogs());
    EXPECT_FALSE(watch.AnyDialogLeft());
    EXPECT_EQ(0, watch.MessageBoxes());
  }
  ASSERT_EQ(1, host_.Call(dispid::kSetCameraPropertyLong, PortalHost::Args(engine::kPropLiveVideo, 0L)));
  DialogWatch watch;
  ASSERT_EQ(1, host_.PictureToFile(path));
  EXPECT_EQ(0, watch.QuietDialogs()) << "without live video there is nothing to wait for";
  ::DeleteFileW(path.c_str());
}

// Pixels of exactly one colour in a 24-bit bitmap file image.
size_t CountColour(const std::vector<BYTE>& image, COLORREF colour) {
  size_t count = 0;
  for (size_t i = 54; i + 2 < image.size(); i += 3) {
    if (RGB(image[i + 2], image[i + 1], image[i]) == colour) ++count;
  }
  return count;
}

TEST_F(PictureOutputTest, TextStampStyleTravelsWithEachPicture) {
  ASSERT_EQ(1, host_.SetFormat(320, 240));
  IVideoPortalEarlyBound* portal = host_.EarlyBound();
  const COLORREF magenta = RGB(255, 0, 255), green = RGB(0, 255, 0);
  std::vector<BYTE> picture(230454);

  ASSERT_EQ(S_OK, portal->put_TextStampColor2(static_cast<LONG>(magenta)));  // the box behind the text
  ASSERT_EQ(1, host_.PictureToMemory(&picture, 230454, L"STAMP 12:00"));
  EXPECT_GT(CountColour(picture, magenta), 100u);

  ASSERT_EQ(S_OK, portal->put_TextStampColor2(static_cast<LONG>(green)));
  ASSERT_EQ(1, host_.PictureToMemory(&picture, 230454, L"STAMP 12:00"));
  EXPECT_EQ(0u, CountColour(picture, magenta)) << "the new style replaced the old one";
  EXPECT_GT(CountColour(picture, green), 100u);

  ASSERT_EQ(1, host_.PictureToMemory(&picture, 230454, L""));
  EXPECT_LT(CountColour(picture, green), 20u) << "no stamp without text";
}

TEST_F(PictureOutputTest, IndexedPicturesThroughTheEarlyBoundTail) {
  IVideoPortalEarlyBound* portal = host_.EarlyBound();
  LONG result = 0, count = -1;
  ASSERT_EQ(S_OK, portal->IndexedPictureCommand4(&result));  // hold the current scene
  ASSERT_EQ(S_OK, portal->IndexedPictureCount(&count, &result));
  ASSERT_EQ(1, result);
  ASSERT_GE(count, 1);
  const LONG last = count - 1;

  LONG width = 0, height = 0, depth = 0, bytes = 0, fifth = -1;
  ASSERT_EQ(S_OK, portal->IndexedPictureInfo(last, &width, &height, &depth, &bytes, &fifth, &result));
  EXPECT_EQ(24, depth);
  EXPECT_EQ(BitmapFileSize(width, height), bytes);

  LONG size = 0;
  EXPECT_EQ(S_OK, portal->IndexedPictureToMemory(0, 24, last, 0, &size, nullptr, &result));
  EXPECT_EQ(bytes, size);
  EXPECT_EQ(S_FALSE, portal->IndexedPictureToMemory(0, 8, last, 0, &size, nullptr, &result));
  std::vector<BYTE> buffer(static_cast<size_t>(bytes), 0x77);
  LONG tooSmall = bytes - 1;
  EXPECT_EQ(S_FALSE, portal->IndexedPictureToMemory(0, 24, last, reinterpret_cast<LONG_PTR>(buffer.data()),
                                                    &tooSmall, nullptr, &result));
  EXPECT_EQ(std::vector<BYTE>(static_cast<size_t>(bytes), 0x77), buffer);
  EXPECT_EQ(S_OK, portal->IndexedPictureToMemory(0, 24, last, reinterpret_cast<LONG_PTR>(buffer.data()), &size,
                                                 nullptr, &result));
  ExpectBitmapFile(buffer.data(), buffer.size(), width, height);

  const std::wstring path = TempPath(L"vp_indexed.bmp");
  const common::UniqueBstr file(path);
  EXPECT_EQ(S_OK, portal->IndexedPictureToFile(last, file.get(), nullptr, &result));
  EXPECT_EQ(static_cast<size_t>(bytes), ReadFile(path).size());
  ::DeleteFileW(path.c_str());

  EXPECT_EQ(S_FALSE, portal->IndexedPictureInfo(count + 5, &width, &height, &depth, &bytes, &fifth, &result));
  ASSERT_EQ(S_OK, portal->IndexedPictureCommand5(&result));  // drop them all
  ASSERT_EQ(S_OK, portal->IndexedPictureCount(&count, &result));
  EXPECT_EQ(0, count);
}

}  // namespace
}  // namespace picture_test
