// The picture flows with the real control hosted in a test container and
// the real camera engine's synthetic camera, the prompts scripted: a
// snapshot saved as JPEG (also left for djpeg), as bitmap and as ".JPG",
// declined, cancelled, a picture request the control refuses with its own
// message, and pictures stored under time-stamped names.
#include <gtest/gtest.h>

#include <memory>

#include "DialogDriver.h"
#include "FakePortal.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "JpegChecks.h"
#include "PictureFlows.h"
#include "PortalLibrary.h"
#include "TestContainer.h"

using namespace torvane;
using namespace flow_tests;

namespace {

LONG BitmapFileSize(LONG width, LONG height) { return ((width * 24 + 31) / 32) * 4 * height + 54; }

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

  FlowContext& Context() {
    if (!context_) context_ = std::make_unique<FlowContext>(FlowContext{prompter_, tracker_, end_, temp_.File(L"pic.tmp")});
    return *context_;
  }
  void AnswerSave(const std::wstring& name) {
    prompter_.answers.push_back(L"&Yes");
    prompter_.saveNames.push_back(name);
  }

  portal_test::TestContainer container_;
  common::ComPtr<IOleObject> object_;
  common::ComPtr<IDispatch> dispatch_;
  std::unique_ptr<RecordingWindow> window_;
  long width_ = 0, height_ = 0;
  ScratchFolder temp_, target_, logs_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  ErrorTracker tracker_{logs_.Path(), prompter_, end_};
  std::unique_ptr<FlowContext> context_;
};

TEST_F(EngineFlowTest, SnapshotSavedAsJpeg) {
  const std::wstring name = target_.File(L"snapshot.jpg");
  AnswerSave(name);
  TakeSnapShot(Context(), *window_);
  const std::string jpeg = ReadFileBytes(name);
  const JpegFacts facts = ReadJpegFacts(jpeg);
  EXPECT_TRUE(facts.complete && facts.baseline);
  EXPECT_EQ(width_, facts.width);
  EXPECT_EQ(height_, facts.height);
  EXPECT_EQ(L"This picture saved to " + name, window_->fileNameText);
  EXPECT_TRUE(temp_.Files().empty());
  EXPECT_EQ(0, Global().ErrorCount);
  // Left for the independent decoder (djpeg) on the Linux side.
  ::CreateDirectoryW(L"flows-snapshots", nullptr);
  WriteFileBytes(L"flows-snapshots\\snapshot.jpg", jpeg);
  WriteFileBytes(L"flows-snapshots\\snapshot.size", std::to_string(width_) + " " + std::to_string(height_) + "\n");
}

TEST_F(EngineFlowTest, SnapshotSavedAsBitmapAndUpperCaseJpg) {
  for (const wchar_t* leaf : {L"snapshot.bmp", L"snapshot.JPG"}) {
    const std::wstring name = target_.File(leaf);
    AnswerSave(name);
    TakeSnapShot(Context(), *window_);
    const std::string bytes = ReadFileBytes(name);
    EXPECT_EQ(static_cast<std::size_t>(BitmapFileSize(width_, height_)), bytes.size()) << leaf;
    EXPECT_EQ(0u, bytes.find("BM")) << leaf;
    EXPECT_TRUE(temp_.Files().empty()) << leaf;
  }
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(EngineFlowTest, DeclinedLeavesNoFileAndCancelledKeepsTheTemporaryPicture) {
  prompter_.answers.push_back(L"&No");
  TakeSnapShot(Context(), *window_);
  EXPECT_EQ(1u, prompter_.prompts.size());
  EXPECT_TRUE(target_.Files().empty());
  EXPECT_TRUE(temp_.Files().empty());  // neither the picture nor a probe file of the control

  prompter_.answers.push_back(L"&Yes");
  prompter_.saveNames.push_back(std::nullopt);
  TakeSnapShot(Context(), *window_);
  EXPECT_EQ((std::vector<std::wstring>{L"pic.tmp"}), temp_.Files());
  EXPECT_EQ(L"Snap-shot taken", window_->status[2]);
  EXPECT_FALSE(window_->imageVisible);
}

TEST_F(EngineFlowTest, RefusedPictureStopsAfterTheControlsMessage) {
  Context().temporaryPicture = temp_.File(L"no such folder\\pic.tmp");
  std::wstring controlMessage;
  DialogDriver answer([&](HWND box) {
    controlMessage = WindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  TakeSnapShot(Context(), *window_);
  EXPECT_TRUE(answer.Acted()) << "the control explains the refused target";
  EXPECT_FALSE(controlMessage.empty());
  EXPECT_TRUE(prompter_.prompts.empty()) << "nothing is offered for saving";
  EXPECT_TRUE(window_->loaded.empty());
  EXPECT_EQ(0, Global().ErrorCount);
}

TEST_F(EngineFlowTest, StoredPicturesHaveTimeStampedNames) {
  SYSTEMTIME now{2025, 6, 0, 14, 8, 30, 1, 0};
  Context().clock = [&] { return now; };
  Global().StoreFolder = target_.Path();
  Global().FilePrefix = L"motion";
  EXPECT_TRUE(StoreTimedPicture(Context(), *window_, L".bmp"));
  now.wSecond = 2;
  EXPECT_TRUE(StoreTimedPicture(Context(), *window_, L".jpg"));
  EXPECT_EQ((std::vector<std::wstring>{L"motion20250614083001.bmp", L"motion20250614083002.jpg"}), target_.Files());
  EXPECT_EQ(static_cast<std::size_t>(BitmapFileSize(width_, height_)),
            ReadFileBytes(target_.File(L"motion20250614083001.bmp")).size());
  const JpegFacts facts = ReadJpegFacts(ReadFileBytes(target_.File(L"motion20250614083002.jpg")));
  EXPECT_TRUE(facts.complete);
  EXPECT_EQ(width_, facts.width);
  EXPECT_EQ(target_.File(L"motion20250614083002.jpg"), window_->fileNameText);
  EXPECT_EQ(0, Global().ErrorCount);
}

}  // namespace
