// The picture flows with the real control in a test container and the
// camera engine's synthetic camera; prompts and the save dialog scripted.
#include <gtest/gtest.h>

#include <memory>

#include "DialogDriver.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "JpegChecks.h"
#include "PictureFlows.h"
#include "PortalLibrary.h"
#include "RecordingWindow.h"
#include "TestContainer.h"

using namespace torvane;
using namespace flow_tests;

namespace {

std::size_t BitmapFileSize(long width, long height) { return ((width * 24 + 31) / 32) * 4 * height + 54; }

class EngineFlowTest : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    ResetGlobals();
    Global().ErrorCount = 0;
    object_ = portal_test::CreatePortal<IOleObject>();
    ASSERT_TRUE(object_);
    ASSERT_EQ(S_OK, object_->SetClientSite(&container_));
    ::ShowWindow(container_.Window(), SW_SHOW);
    ASSERT_EQ(S_OK, object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, -1, container_.Window(),
                                    &portal_test::TestContainer::kPosition));
    ASSERT_EQ(S_OK, object_.As(&dispatch_));
    window_ = std::make_unique<RecordingWindow>(dispatch_.get());
    PortalClient& portal = window_->vidPort();
    ASSERT_EQ(1, portal.PrepareControl(L"FlowTests", L"HKEY_CURRENT_USER\\Software\\Velkor\\FlowTests", 0));
    ASSERT_EQ(1, portal.ConnectCamera2());
    ASSERT_NE(0, portal.CameraConnected()) << "the engine's synthetic camera";
    portal.SetEnablePictureDiskErrorPrompt(-1);  // as the application does at start-up
    long bits = 0, fourCC = 0;
    ASSERT_EQ(1, portal.GetVideoFormat(&width_, &height_, &bits, &fourCC));
  }
  void TearDown() override {
    window_.reset();
    dispatch_.reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_.reset();
    }
    Global().ErrorCount = 0;
    OleTest::TearDown();
  }

  void AnswerSave(const std::wstring& name) {
    prompter_.answers.push_back(L"&Yes");
    prompter_.saveNames.push_back(name);
  }
  std::string Log() const { return ReadFileBytes(tracker_.LogPath()); }

  portal_test::TestContainer container_;
  common::ComPtr<IOleObject> object_;
  common::ComPtr<IDispatch> dispatch_;
  std::unique_ptr<RecordingWindow> window_;
  long width_ = 0, height_ = 0;
  ScratchFolder temp_, target_, logs_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  ErrorTracker tracker_{logs_.Path(), prompter_, end_};
  SYSTEMTIME now_{2025, 6, 0, 14, 8, 30, 1, 0};
  FlowContext context_{prompter_, tracker_, end_, temp_.File(L"pic.tmp"), [this] { return now_; }};
};

TEST_F(EngineFlowTest, SnapshotSavedAsJpeg) {
  const std::wstring name = target_.File(L"snapshot.jpg");
  AnswerSave(name);
  TakeSnapShot(context_, *window_);
  const std::string jpeg = ReadFileBytes(name);
  const JpegFacts facts = ReadJpegFacts(jpeg);
  EXPECT_TRUE(facts.complete && facts.baseline);
  EXPECT_EQ(width_, facts.width);
  EXPECT_EQ(height_, facts.height);
  EXPECT_EQ((std::vector<int>{0x11, 0x11, 0x11}), facts.sampling);  // no chroma subsampling
  ASSERT_EQ(2u, facts.firstQuantizer.size());
  EXPECT_LE(facts.firstQuantizer[0], 4);  // quality 90: a fifth of the standard DC quantizers
  EXPECT_LE(facts.firstQuantizer[1], 4);
  EXPECT_EQ(L"This picture saved to " + name, window_->fileNameText);
  EXPECT_TRUE(window_->fileNameVisible);
  EXPECT_EQ(L"", window_->status2);
  EXPECT_TRUE(temp_.Files().empty());
  EXPECT_EQ(0, Global().ErrorCount);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Do you want to save the snap-shot shown in the 'Captured image' window?", prompter_.prompts[0].message);
  EXPECT_EQ(L"Save Image File.", prompter_.saveRequests.at(0).title);
  EXPECT_EQ(3074u, prompter_.saveRequests.at(0).flags);
  // Left for the independent decoder (djpeg) on the Linux side.
  ::CreateDirectoryW(L"flows-snapshots", nullptr);
  WriteFileBytes(L"flows-snapshots\\snapshot.jpg", jpeg);
  WriteFileBytes(L"flows-snapshots\\snapshot.size", std::to_string(width_) + " " + std::to_string(height_) + "\n");
}

TEST_F(EngineFlowTest, SnapshotSavedAsBitmapUpperCaseJpgAndOverAnOldFile) {
  WriteFileBytes(target_.File(L"old.bmp"), "an older file");
  for (const wchar_t* leaf : {L"snapshot.bmp", L"snapshot.JPG", L"old.bmp"}) {
    AnswerSave(target_.File(leaf));
    TakeSnapShot(context_, *window_);
    const std::string bytes = ReadFileBytes(target_.File(leaf));
    EXPECT_EQ(BitmapFileSize(width_, height_), bytes.size()) << leaf;
    EXPECT_EQ(0u, bytes.find("BM")) << leaf;
    EXPECT_TRUE(temp_.Files().empty()) << leaf;
  }
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(EngineFlowTest, DeclinedLeavesNoFileAndCancelledKeepsTheTemporaryPicture) {
  prompter_.answers.push_back(L"&No");
  TakeSnapShot(context_, *window_);
  EXPECT_TRUE(target_.Files().empty());
  EXPECT_TRUE(temp_.Files().empty());  // neither the picture nor a probe file of the control
  EXPECT_FALSE(window_->imageVisible || window_->labelVisible || window_->fileNameVisible);

  prompter_.answers.push_back(L"&Yes");
  prompter_.saveNames.push_back(std::nullopt);
  TakeSnapShot(context_, *window_);
  EXPECT_EQ((std::vector<std::wstring>{L"pic.tmp"}), temp_.Files());
  EXPECT_EQ(L"Snap-shot taken", window_->status2);
  EXPECT_FALSE(window_->imageVisible || window_->labelVisible || window_->fileNameVisible);
}

TEST_F(EngineFlowTest, RefusedPictureStopsAfterTheControlsMessage) {
  context_.temporaryPicture = temp_.File(L"no such folder\\pic.tmp");
  std::vector<std::wstring> controlMessages;
  const auto close = [&](HWND box) {
    controlMessages.push_back(WindowText(::GetDlgItem(box, 0xFFFF)));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  };
  DialogDriver answer(close);
  answer.Then(close);
  TakeSnapShot(context_, *window_);
  ASSERT_EQ(1u, controlMessages.size()) << "the control explains the refused target";
  EXPECT_TRUE(prompter_.prompts.empty()) << "nothing is offered for saving";
  EXPECT_TRUE(window_->loaded.empty());
  EXPECT_FALSE(StoreTimedPicture(context_, *window_, L".bmp"));
  EXPECT_EQ(2u, controlMessages.size());
  EXPECT_TRUE(window_->loaded.empty());
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(EngineFlowTest, FailedSavesAreNeverReportedAsSaved) {
  AnswerSave(target_.File(L"missing\\shot.bmp"));
  TakeSnapShot(context_, *window_);
  EXPECT_EQ("1,76,\"Path not found\",\"frmMainTakeSnapShot\",\"\",-2147221504\r\n", Log());
  EXPECT_FALSE(window_->fileNameVisible);
  EXPECT_EQ(BitmapFileSize(width_, height_), ReadFileBytes(context_.temporaryPicture).size()) << "picture kept";

  AnswerSave(target_.File(L"missing\\shot.jpg"));
  TakeSnapShot(context_, *window_);
  EXPECT_EQ((std::vector<std::wstring>{L"76 Path not found"}), prompter_.systemMessages);
  EXPECT_FALSE(window_->fileNameVisible);
  EXPECT_EQ(1, Global().ErrorCount);  // SaveAsJpeg reports its own errors
}

TEST_F(EngineFlowTest, ComponentFailureEndsTheProgramWithoutLogging) {
  RecordingWindow detached(nullptr);  // every call on the control fails
  EXPECT_THROW(TakeSnapShot(context_, detached), ProgramEnded);
  EXPECT_THROW(StoreTimedPicture(context_, detached, L".jpg"), ProgramEnded);
  ASSERT_EQ(2u, prompter_.prompts.size());
  for (const Prompt& prompt : prompter_.prompts) {
    EXPECT_EQ(L"Sorry - there is a problem writing the snap-shot files.This could be due to low system memory.",
              prompt.message);
    EXPECT_EQ(L"Error!", prompt.title);
  }
  EXPECT_FALSE(Exists(tracker_.LogPath()));
}

TEST_F(EngineFlowTest, StoredPicturesHaveTimeStampedNames) {
  Global().StoreFolder = target_.Path();
  Global().FilePrefix = L"motion";
  EXPECT_TRUE(StoreTimedPicture(context_, *window_, L".bmp"));
  const std::string first = ReadFileBytes(target_.File(L"motion20250614083001.bmp"));
  EXPECT_EQ(BitmapFileSize(width_, height_), first.size());
  // Within the same second a bitmap keeps the first file (the new picture
  // stays in the temporary file); a JPEG replaces it.
  EXPECT_FALSE(StoreTimedPicture(context_, *window_, L".bmp"));
  EXPECT_TRUE(first == ReadFileBytes(target_.File(L"motion20250614083001.bmp")));
  EXPECT_TRUE(Exists(context_.temporaryPicture));
  now_.wSecond = 2;
  EXPECT_TRUE(StoreTimedPicture(context_, *window_, L".jpg"));
  WriteFileBytes(target_.File(L"motion20250614083002.jpg"), "an older picture of the same second");
  EXPECT_TRUE(StoreTimedPicture(context_, *window_, L".jpg"));
  const JpegFacts facts = ReadJpegFacts(ReadFileBytes(target_.File(L"motion20250614083002.jpg")));
  EXPECT_TRUE(facts.complete);
  EXPECT_EQ(width_, facts.width);
  EXPECT_EQ((std::vector<std::wstring>{L"motion20250614083001.bmp", L"motion20250614083002.jpg"}), target_.Files());
  EXPECT_EQ(target_.File(L"motion20250614083002.jpg"), window_->fileNameText);
  EXPECT_EQ(0, Global().ErrorCount);

  Global().StoreFolder = target_.File(L"gone");  // logged with the file name, twice: move and view
  EXPECT_FALSE(StoreTimedPicture(context_, *window_, L".bmp"));
  const std::vector<std::string> lines = Lines(Log());
  ASSERT_EQ(2u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("1,76,\"Path not found\",\"StoreTimedPicture\","));
  EXPECT_NE(std::string::npos, lines[0].find("gone\\motion20250614083002.bmp\",-2147221504"));
  EXPECT_EQ(0u, lines[1].find("2,53,\"File not found\",\"StoreTimedPicture\""));
}

}  // namespace
