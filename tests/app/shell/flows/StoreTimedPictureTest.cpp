// StoreTimedPicture with a control that writes real bitmaps and a clock the
// test sets: time-stamped names, two pictures within one second, JPEG
// replacing, a failed request and a missing folder.
#include <gtest/gtest.h>

#include "FakePortal.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "JpegChecks.h"
#include "PictureFlows.h"

using namespace torvane;
using namespace flow_tests;

namespace {

class StoreTimedPictureTest : public ::testing::Test {
 protected:
  StoreTimedPictureTest()
      : tracker_(logs_.Path(), prompter_, end_),
        context_{prompter_, tracker_, end_, temp_.File(L"pic.tmp"), [this] { return now_; }},
        window_(&control_) {
    ResetGlobals();
    Global().ErrorCount = 0;
    Global().StoreFolder = store_.Path();
    Global().FilePrefix = L"cam";
    now_ = SYSTEMTIME{2024, 3, 0, 9, 23, 5, 7, 120};
  }
  ~StoreTimedPictureTest() override { Global().ErrorCount = 0; }

  std::string Log() const { return ReadFileBytes(tracker_.LogPath()); }

  ScratchFolder temp_, store_, logs_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  ErrorTracker tracker_;
  SYSTEMTIME now_{};
  FlowContext context_;
  FakePortal control_;
  RecordingWindow window_;
};

TEST_F(StoreTimedPictureTest, StoresUnderTheTimeStampedName) {
  EXPECT_TRUE(StoreTimedPicture(context_, window_, L".bmp"));
  const std::wstring name = store_.Path() + L"\\cam20240309230507.bmp";
  EXPECT_EQ(name, Global().LastFileName);
  EXPECT_EQ(control_.written[0], ReadFileBytes(name));
  EXPECT_FALSE(Exists(context_.temporaryPicture));
  EXPECT_EQ((std::vector<std::wstring>{name}), window_.loaded);
  EXPECT_EQ(name, window_.fileNameText);
  EXPECT_TRUE(window_.fileNameVisible && window_.labelVisible);
  EXPECT_EQ(1, window_.repainted);
  EXPECT_TRUE(prompter_.prompts.empty() && prompter_.saveRequests.empty());
  EXPECT_TRUE(window_.statusHistory.empty());  // nothing is asked, no status is set

  now_.wSecond = 8;
  EXPECT_TRUE(StoreTimedPicture(context_, window_, L".jpg"));
  const std::string jpeg = ReadFileBytes(store_.Path() + L"\\cam20240309230508.jpg");
  EXPECT_TRUE(ReadJpegFacts(jpeg).complete);
  EXPECT_EQ(2u, store_.Files().size());
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(StoreTimedPictureTest, SecondBitmapWithinOneSecondKeepsTheFirst) {
  ASSERT_TRUE(StoreTimedPicture(context_, window_, L".bmp"));
  now_.wMilliseconds = 900;
  EXPECT_FALSE(StoreTimedPicture(context_, window_, L".bmp"));
  const std::wstring name = store_.Path() + L"\\cam20240309230507.bmp";
  EXPECT_EQ(control_.written[0], ReadFileBytes(name));
  EXPECT_EQ(control_.written[1], ReadFileBytes(context_.temporaryPicture));  // the new one stays there
  EXPECT_EQ((std::vector<std::wstring>{name, name}), window_.loaded);
  EXPECT_EQ(0, Global().ErrorCount);  // not an error
}

TEST_F(StoreTimedPictureTest, SecondJpegWithinOneSecondReplacesTheFirst) {
  ASSERT_TRUE(StoreTimedPicture(context_, window_, L".jpg"));
  const std::wstring name = store_.Path() + L"\\cam20240309230507.jpg";
  const std::string first = ReadFileBytes(name);
  EXPECT_TRUE(StoreTimedPicture(context_, window_, L".jpg"));
  const std::string second = ReadFileBytes(name);
  EXPECT_TRUE(ReadJpegFacts(second).complete);
  EXPECT_NE(first, second);
  EXPECT_EQ(1u, store_.Files().size());
}

TEST_F(StoreTimedPictureTest, FailedRequestStoresNothing) {
  control_.mode = FakePortal::Mode::kRefuses;
  WriteFileBytes(context_.temporaryPicture, BitmapFileBytes(8, 8, 3));  // an older picture
  EXPECT_FALSE(StoreTimedPicture(context_, window_, L".bmp"));
  EXPECT_TRUE(store_.Files().empty());
  EXPECT_TRUE(window_.loaded.empty());

  // An empty folder names the root of the current drive.
  Global().StoreFolder.clear();
  Global().FilePrefix.clear();
  EXPECT_FALSE(StoreTimedPicture(context_, window_, L".bmp"));
  EXPECT_EQ(L"\\20240309230507.bmp", Global().LastFileName);
}

TEST_F(StoreTimedPictureTest, MissingFolderIsLoggedWithTheFileName) {
  Global().StoreFolder = store_.File(L"gone");
  EXPECT_FALSE(StoreTimedPicture(context_, window_, L".bmp"));
  const std::vector<std::string> lines = Lines(Log());
  ASSERT_EQ(2u, lines.size());  // the move, then the picture that is not there
  EXPECT_NE(std::string::npos, lines[0].find(",76,\"Path not found\",\"StoreTimedPicture\",\""));
  EXPECT_NE(std::string::npos, lines[0].find("gone\\cam20240309230507.bmp\",-2147221504"));
  EXPECT_EQ(0u, lines[1].find("2,53,\"File not found\",\"StoreTimedPicture\""));
  EXPECT_TRUE(window_.fileNameVisible);  // the flow went on
}

TEST_F(StoreTimedPictureTest, ComponentFailureEndsTheProgram) {
  control_.mode = FakePortal::Mode::kFailsCall;
  EXPECT_THROW(StoreTimedPicture(context_, window_, L".jpg"), ProgramEnded);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Sorry - there is a problem writing the snap-shot files.This could be due to low system memory.",
            prompter_.prompts[0].message);
}

}  // namespace
