// The instant snapshot with a scripted prompt layer and a control that
// writes real bitmap files: saved as bitmap, as JPEG, as ".JPG" (bitmap
// data), declined, cancelled, over an existing file, and every failure.
#include <gtest/gtest.h>

#include <memory>

#include "FakePortal.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "JpegChecks.h"
#include "PictureFlows.h"
#include "SaveFileDialog.h"

using namespace torvane;
using namespace flow_tests;

namespace {

class SnapshotFlowTest : public ::testing::Test {
 protected:
  SnapshotFlowTest()
      : tracker_(logs_.Path(), prompter_, end_),
        context_{prompter_, tracker_, end_, temp_.File(L"pic.tmp")},
        window_(&control_) {
    ResetGlobals();
    Global().ErrorCount = 0;
  }
  ~SnapshotFlowTest() override { Global().ErrorCount = 0; }

  const std::wstring& TempPicture() const { return context_.temporaryPicture; }
  std::string Log() const { return ReadFileBytes(tracker_.LogPath()); }
  void AnswerSave(const std::wstring& name) {
    prompter_.answers.push_back(L"&Yes");
    prompter_.saveNames.push_back(name);
  }

  ScratchFolder temp_, target_, logs_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  ErrorTracker tracker_;
  FlowContext context_;
  FakePortal control_;
  RecordingWindow window_;
};

TEST_F(SnapshotFlowTest, SavedAsBitmap) {
  const std::wstring name = target_.File(L"shot.bmp");
  AnswerSave(name);
  TakeSnapShot(context_, window_);

  ASSERT_EQ(1u, control_.requests.size());
  EXPECT_EQ(TempPicture(), control_.requests[0]);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image' window?", prompter_.prompts[0].message);
  EXPECT_EQ(L"?", prompter_.prompts[0].icon);
  EXPECT_EQ(L"Y/N", prompter_.prompts[0].buttons);
  EXPECT_EQ(L"Save?", prompter_.prompts[0].title);
  EXPECT_EQ(L"&Yes", Global().PromptAnswer);

  ASSERT_EQ(1u, prompter_.saveRequests.size());
  const SaveDialogRequest& dialog = prompter_.saveRequests[0];
  EXPECT_EQ(L"Save Image File.", dialog.title);
  EXPECT_EQ(L"Bitmap (default)|*.bmp|JPEG (compressed)|*.jpg", dialog.filter);
  EXPECT_EQ(L"bmp", dialog.defaultExtension);
  EXPECT_EQ(3074u, dialog.flags);
  EXPECT_EQ(DocumentsFolder(), dialog.initialFolder);

  EXPECT_EQ(control_.written[0], ReadFileBytes(name));  // the bitmap itself
  EXPECT_FALSE(Exists(TempPicture()));
  EXPECT_EQ((std::vector<std::wstring>{TempPicture()}), window_.loaded);
  EXPECT_TRUE(window_.imageVisible && window_.labelVisible && window_.fileNameVisible);
  EXPECT_EQ(L"This picture saved to " + name, window_.fileNameText);
  EXPECT_EQ((std::vector<std::wstring>{L"Snap-shot taken", L""}), window_.statusHistory);
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(SnapshotFlowTest, SavedAsJpegAndUpperCaseExtensionKeepsTheBitmap) {
  control_.width = 80;
  control_.height = 36;
  const std::wstring jpeg = target_.File(L"shot.jpg");
  AnswerSave(jpeg);
  TakeSnapShot(context_, window_);
  const JpegFacts facts = ReadJpegFacts(ReadFileBytes(jpeg));
  EXPECT_TRUE(facts.complete);
  EXPECT_EQ(80, facts.width);
  EXPECT_EQ(36, facts.height);
  EXPECT_TRUE(facts.baseline);
  EXPECT_EQ((std::vector<int>{0x11, 0x11, 0x11}), facts.sampling);  // no chroma subsampling
  // Quality 90 scales the standard DC quantizers 16 and 17 to a fifth.
  ASSERT_EQ(2u, facts.firstQuantizer.size());
  EXPECT_LE(facts.firstQuantizer[0], 4);
  EXPECT_LE(facts.firstQuantizer[1], 4);
  EXPECT_EQ(jpeg, Global().LastFileName);
  EXPECT_EQ(L"This picture saved to " + jpeg, window_.fileNameText);
  EXPECT_FALSE(Exists(TempPicture()));

  // ".JPG" is not the JPEG extension: the bitmap is stored under that name.
  const std::wstring upper = target_.File(L"upper.JPG");
  AnswerSave(upper);
  TakeSnapShot(context_, window_);
  EXPECT_EQ(control_.written[1], ReadFileBytes(upper));
  EXPECT_EQ(jpeg, Global().LastFileName);
  EXPECT_FALSE(Exists(TempPicture()));
}

TEST_F(SnapshotFlowTest, DeclinedLeavesNoFileAndCancelledKeepsThePicture) {
  prompter_.answers.push_back(L"&No");
  TakeSnapShot(context_, window_);
  EXPECT_TRUE(prompter_.saveRequests.empty());
  EXPECT_TRUE(target_.Files().empty());
  EXPECT_TRUE(temp_.Files().empty());
  EXPECT_FALSE(window_.imageVisible || window_.labelVisible || window_.fileNameVisible);
  EXPECT_EQ(L"", window_.status[2]);

  prompter_.answers.push_back(L"&Yes");
  prompter_.saveNames.push_back(std::nullopt);
  TakeSnapShot(context_, window_);
  EXPECT_TRUE(target_.Files().empty());
  EXPECT_EQ(control_.written[1], ReadFileBytes(TempPicture()));
  EXPECT_FALSE(window_.imageVisible || window_.labelVisible || window_.fileNameVisible);
  EXPECT_EQ(L"Snap-shot taken", window_.status[2]);
}

TEST_F(SnapshotFlowTest, ExistingTargetIsReplaced) {
  const std::wstring name = target_.File(L"old.bmp");
  WriteFileBytes(name, "an older file");
  AnswerSave(name);
  TakeSnapShot(context_, window_);
  EXPECT_EQ(control_.written[0], ReadFileBytes(name));
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(SnapshotFlowTest, NoCameraOrAFailedRequestStopsBeforeAnyQuestion) {
  window_.connected = false;
  TakeSnapShot(context_, window_);
  EXPECT_EQ(1, window_.cleared);
  EXPECT_TRUE(control_.requests.empty());

  window_.connected = true;
  control_.mode = FakePortal::Mode::kRefuses;
  WriteFileBytes(TempPicture(), BitmapFileBytes(8, 8, 9));  // a picture of an earlier snapshot
  TakeSnapShot(context_, window_);
  EXPECT_EQ(1u, control_.requests.size());
  EXPECT_TRUE(prompter_.prompts.empty());
  EXPECT_TRUE(window_.loaded.empty());
  EXPECT_FALSE(window_.imageVisible);
  EXPECT_TRUE(window_.statusHistory.empty());
}

TEST_F(SnapshotFlowTest, ComponentFailureEndsTheProgram) {
  control_.mode = FakePortal::Mode::kFailsCall;
  EXPECT_THROW(TakeSnapShot(context_, window_), ProgramEnded);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Sorry - there is a problem writing the snap-shot files.This could be due to low system memory.",
            prompter_.prompts[0].message);
  EXPECT_EQ(L"Error!", prompter_.prompts[0].title);
  EXPECT_FALSE(Exists(tracker_.LogPath()));
}

TEST_F(SnapshotFlowTest, FailedMoveIsLoggedAndNotReportedAsSaved) {
  const std::wstring name = target_.File(L"missing\\shot.bmp");
  AnswerSave(name);
  TakeSnapShot(context_, window_);
  EXPECT_EQ("1,76,\"Path not found\",\"frmMainTakeSnapShot\",\"\",-2147221504\r\n", Log());
  EXPECT_FALSE(window_.fileNameVisible);
  EXPECT_EQ(L"", window_.fileNameText);
  EXPECT_EQ(control_.written[0], ReadFileBytes(TempPicture()));  // the picture is not lost
  EXPECT_TRUE(window_.imageVisible);
}

TEST_F(SnapshotFlowTest, FailedJpegIsShownAndNotReportedAsSaved) {
  AnswerSave(target_.File(L"missing\\shot.jpg"));
  TakeSnapShot(context_, window_);
  EXPECT_EQ((std::vector<std::wstring>{L"76 Path not found"}), prompter_.systemMessages);
  EXPECT_FALSE(window_.fileNameVisible);
  EXPECT_TRUE(Exists(TempPicture()));
  EXPECT_EQ(0, Global().ErrorCount);  // SaveAsJpeg reports its own errors

  // A target the encoder may not replace (a folder of that name).
  prompter_.systemMessages.clear();
  const std::wstring blocked = target_.File(L"blocked.jpg");
  ASSERT_TRUE(::CreateDirectoryW(blocked.c_str(), nullptr));
  AnswerSave(blocked);
  TakeSnapShot(context_, window_);
  ASSERT_EQ(1u, prompter_.systemMessages.size());
  EXPECT_EQ(L"75 Path/File access error", prompter_.systemMessages[0]);
  EXPECT_FALSE(window_.fileNameVisible);
}

TEST_F(SnapshotFlowTest, UnreadablePictureIsLoggedAndTheFlowGoesOn) {
  control_.mode = FakePortal::Mode::kWritesGarbage;
  prompter_.answers.push_back(L"&No");
  TakeSnapShot(context_, window_);
  EXPECT_EQ("1,481,\"Invalid picture\",\"frmMainTakeSnapShot\",\"\",-2147221504\r\n", Log());
  EXPECT_EQ(1u, prompter_.prompts.size());
  EXPECT_FALSE(Exists(TempPicture()));
}

}  // namespace
