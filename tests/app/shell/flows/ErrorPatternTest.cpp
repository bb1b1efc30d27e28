// The error pattern and ErrorTrack: component failures end the program
// with the procedure's message and never reach the log; other errors are
// counted, logged and skipped; the 26th ends the program; a log that
// cannot be created ends it through ErrorTrack's own message.
#include <gtest/gtest.h>

#include <memory>

#include "ErrorScope.h"
#include "FileErrors.h"
#include "FlowTestSupport.h"
#include "Global.h"

using namespace torvane;
using namespace flow_tests;

namespace {

constexpr char kLineEnd[] = ",-2147221504";

class ErrorPatternTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetErrorRecord(); }
  void TearDown() override {
    tracker_.reset();  // closes the log before the folder goes
    ResetErrorRecord();
  }
  static void ResetErrorRecord() {
    GlobalState& g = Global();
    g.ErrorCount = 0;
    g.ErrorNumber = 0;
    g.ErrorDescription.clear();
    g.ErrorProcedure.clear();
    g.ErrorDetail.clear();
  }
  // userFolder: where a refused log goes (none by default here, so that no
  // test writes into the real user's folder).
  FlowContext& Context(const std::wstring& logFolder, const std::wstring& userFolder = L"") {
    tracker_ = std::make_unique<ErrorTracker>(logFolder, prompter_, end_, userFolder);
    context_ = std::make_unique<FlowContext>(FlowContext{prompter_, *tracker_, end_});
    return *context_;
  }
  std::string Log() const { return ReadFileBytes(tracker_->LogPath()); }

  ScratchFolder folder_;
  ScriptedPrompter prompter_;
  ProgramEnd end_ = ThrowingEnd();
  std::unique_ptr<ErrorTracker> tracker_;
  std::unique_ptr<FlowContext> context_;
};

void Fail(long number, const wchar_t* description) { throw AppError{number, description}; }

}  // namespace

TEST_F(ErrorPatternTest, ComponentFailureEndsWithTheProceduresMessageAndNoLog) {
  ErrorScope scope(Context(folder_.Path()), procedures::kTakeSnapShot);
  bool nextStepRan = false;
  EXPECT_THROW(
      {
        scope.Run([] { Fail(-2147418113, L"VideoPortal.PictureToFile failed"); });
        nextStepRan = true;
      },
      ProgramEnded);
  EXPECT_FALSE(nextStepRan);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Sorry - there is a problem writing the snap-shot files.This could be due to low system memory.",
            prompter_.prompts[0].message);
  EXPECT_EQ(L"X", prompter_.prompts[0].icon);
  EXPECT_EQ(L"OK", prompter_.prompts[0].buttons);
  EXPECT_EQ(L"Error!", prompter_.prompts[0].title);
  EXPECT_EQ(0, Global().ErrorCount);
  EXPECT_FALSE(Exists(tracker_->LogPath()));
}

TEST_F(ErrorPatternTest, OtherErrorsAreLoggedAndTheProcedureGoesOn) {
  std::wstring lastFile = L"C:\\pics\\cam20240101120000.bmp";
  ErrorScope scope(Context(folder_.Path()), procedures::kStoreTimedPicture, [&] { return lastFile; });
  std::vector<int> ran;
  EXPECT_FALSE(scope.Run([] { Fail(kErrFileNotFound, L"File not found"); }));
  ran.push_back(1);
  EXPECT_TRUE(scope.Run([&] { ran.push_back(2); }));
  lastFile.clear();  // the detail is read when the error happens
  EXPECT_FALSE(scope.Run([] { throw std::bad_alloc(); }));
  EXPECT_EQ((std::vector<int>{1, 2}), ran);
  EXPECT_TRUE(prompter_.prompts.empty());
  EXPECT_EQ(2, Global().ErrorCount);
  EXPECT_EQ(L"StoreTimedPicture", Global().ErrorProcedure);

  const std::vector<std::string> lines = Lines(Log());
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("1,53,\"File not found\",\"StoreTimedPicture\",\"C:\\pics\\cam20240101120000.bmp\"" +
                std::string(kLineEnd),
            lines[0]);
  EXPECT_EQ("2,7,\"Out of memory\",\"StoreTimedPicture\",\"\"" + std::string(kLineEnd), lines[1]);
  EXPECT_EQ("\r\n", Log().substr(Log().size() - 2));
}

TEST_F(ErrorPatternTest, FirstErrorReplacesAnOldLogAndARunWithoutErrorsKeepsIt) {
  const std::wstring logPath = folder_.File(L"TorvaneError.log");
  WriteFileBytes(logPath, "old run\r\nold run\r\nold run\r\n");
  ErrorScope scope(Context(folder_.Path() + L"\\"), procedures::kMainLoad);
  EXPECT_EQ(logPath, tracker_->LogPath());
  EXPECT_TRUE(scope.Run([] {}));
  EXPECT_EQ("old run\r\nold run\r\nold run\r\n", Log());
  scope.Run([] { Fail(kErrPathFileAccess, L"Path/File access error"); });
  EXPECT_EQ("1,75,\"Path/File access error\",\"frmMainLoad\",\"\"" + std::string(kLineEnd) + "\r\n", Log());
}

TEST_F(ErrorPatternTest, TwentySixthErrorTerminatesWithoutALine) {
  ErrorScope scope(Context(folder_.Path()), procedures::kMainPortal);
  for (int i = 1; i <= 25; ++i) scope.Run([] { Fail(kErrFileExists, L"File already exists"); });
  EXPECT_TRUE(prompter_.prompts.empty());
  std::vector<std::string> lines = Lines(Log());
  ASSERT_EQ(25u, lines.size());
  EXPECT_EQ("25,58,\"File already exists\",\"frmMainPortal\",\"\"" + std::string(kLineEnd), lines[24]);

  EXPECT_THROW(scope.Run([] { Fail(kErrFileExists, L"File already exists"); }), ProgramEnded);
  EXPECT_EQ(25u, Lines(Log()).size());
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"Sorry - Torvane has been terminated due to fatal errors.\r\n\r\n"
            L"A log of the errors encountered has been written to " + tracker_->LogPath(),
            prompter_.prompts[0].message);
  EXPECT_EQ(L"x", prompter_.prompts[0].icon);
  EXPECT_EQ(L"OK", prompter_.prompts[0].buttons);
  EXPECT_EQ(L"Terminated!", prompter_.prompts[0].title);
  // The log was closed before the prompt: another program may now replace it.
  EXPECT_TRUE(::DeleteFileW(tracker_->LogPath().c_str()));
}

TEST_F(ErrorPatternTest, LogThatCannotBeCreatedEndsTheProgramThroughErrorTrack) {
  // A folder that does not exist.
  {
    ErrorScope scope(Context(folder_.File(L"missing")), procedures::kTakeSnapShot);
    EXPECT_THROW(scope.Run([] { Fail(kErrFileNotFound, L"File not found"); }), ProgramEnded);
    ASSERT_EQ(1u, prompter_.systemMessages.size());
    EXPECT_EQ(L"76 Path not found ErrorTrack", prompter_.systemMessages[0]);
    EXPECT_TRUE(prompter_.prompts.empty());
  }
  // A folder in the way of the log's name: the log cannot be opened for
  // writing, as in a folder the user may not write to, and the user's
  // folder cannot be made either (its parent is missing).
  ResetErrorRecord();
  prompter_.systemMessages.clear();
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(L"TorvaneError.log").c_str(), nullptr));
  ErrorScope scope(Context(folder_.Path(), folder_.File(L"missing\\Torvane")), procedures::kTakeSnapShot);
  EXPECT_THROW(scope.Run([] { Fail(kErrFileNotFound, L"File not found"); }), ProgramEnded);
  ASSERT_EQ(1u, prompter_.systemMessages.size());
  EXPECT_EQ(L"75 Path/File access error ErrorTrack", prompter_.systemMessages[0]);
}

// An application folder that refuses the log (Program Files for a user who
// is no administrator): the log, under its own name, goes into the user's
// folder, which is made for it, and the program goes on.
TEST_F(ErrorPatternTest, LogRefusedByTheApplicationFolderGoesToTheUsersFolder) {
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(L"TorvaneError.log").c_str(), nullptr));
  const std::wstring user = folder_.File(L"user");
  ErrorScope scope(Context(folder_.Path(), user), procedures::kTakeSnapShot);
  scope.Run([] { Fail(kErrFileNotFound, L"File not found"); });
  EXPECT_TRUE(prompter_.systemMessages.empty());
  EXPECT_EQ(user + L"\\TorvaneError.log", tracker_->LogPath());
  EXPECT_EQ(std::string("1,53,\"File not found\",\"frmMainTakeSnapShot\",\"\"") + kLineEnd + "\r\n", Log());
  tracker_.reset();
  EXPECT_TRUE(::DeleteFileW((user + L"\\TorvaneError.log").c_str()));
  EXPECT_TRUE(::RemoveDirectoryW(user.c_str()));
}

TEST(ProgramEndDeathTest, AnActionThatReturnsStillEndsTheProcess) {
  EXPECT_EXIT(
      {
        ProgramEnd end([](UINT) {});
        end.Now();
      },
      ::testing::ExitedWithCode(ProgramEnd::kExitCode), "");
}
