// MovieRecord and RecordTimeLapse through the real recording dialog
// answered by clicks, with scripted prompts and save dialog and a fake
// control that leaves a movie file (or none) when a recording stops: the
// ways a flow ends, with the files, texts, prompts, log and calls it leaves.
#include <optional>

#include "DialogDriver.h"
#include "MovieFlows.h"
#include "MovieTestFixture.h"

using namespace torvane;
using namespace flow_tests;

namespace {

void Click(HWND dialog, int index) {
  ::PostMessageW(::GetDlgItem(dialog, frmPopUp::kButtonIds[index]), BM_CLICK, 0, 0);
}

struct FlowCase {
  const char* name;
  bool timeLapse;
  bool recorded;                     // Begin/OK then Stop, else Cancel
  long movieBytes;                   // what the control leaves; 0 nothing
  const wchar_t* answer;             // "Sound?" of a movie, "Save?" of a time-lapse movie
  int saveButton;                    // a movie's save question in the dialog, -1 not shown
  std::optional<std::wstring> leaf;  // the chosen name; none: Cancel in the save dialog
  long savedBytes;                   // the chosen file's length afterwards; -1 none
  bool temporaryKept;
  std::vector<std::string> titles;   // of the prompts
  bool logged;                       // one line in the log: the move failed
};

class MovieFlow : public MovieDialogTest {
 protected:
  void Run(const FlowCase& c) {
    prompter_.answers.push_back(c.answer);
    prompter_.saveNames.push_back(c.leaf ? std::optional<std::wstring>(target_.File(*c.leaf)) : std::nullopt);
    DialogDriver driver([&](HWND dialog) {
      ::SetWindowTextW(::GetDlgItem(dialog, IDC_POP_FREQ), L"1");
      ::SetWindowTextW(::GetDlgItem(dialog, IDC_POP_FPS), L"10");
      Click(dialog, c.recorded ? 0 : 1);
    });
    if (c.recorded) {
      driver.Then([this](HWND dialog) {
        Ticks(6);
        Click(dialog, 1);
      });
    }
    if (c.saveButton >= 0) {
      driver.Then([&](HWND dialog) {
        EXPECT_EQ(L"Movie recorded for 6 seconds", popUp_.Text(IDC_POP_ELAPSED));
        EXPECT_EQ(L"Size of movie file: 5 kb", popUp_.Text(IDC_POP_LOF));
        Click(dialog, c.saveButton);
      });
    }
    driver.Then([](HWND dialog) {
      ADD_FAILURE() << "a dialog nobody expected";
      Click(dialog, 1);
    });
    portal_.movieBytes = c.movieBytes;
    c.timeLapse ? RecordTimeLapse(context_, window_, popUp_) : MovieRecord(context_, window_, popUp_);
  }

  ScratchFolder target_;
};

TEST_F(MovieFlow, Endings) {
  const FlowCase cases[] = {
      {"movie with sound", false, true, 5000, L"&Yes", 0, L"movie.avi", 5000, false, {"Sound?"}, false},
      {"movie, cancelled save dialog", false, true, 5000, L"&No", 0, std::nullopt, -1, true, {"Sound?"}, false},
      {"movie, nothing recorded", false, true, 0, L"&No", -1, L"none.avi", -1, false, {"Sound?", "No file!"}, false},
      {"movie into a missing folder", false, true, 5000, L"&No", 0, L"gone\\movie.avi", -1, true, {"Sound?"}, true},
      {"time-lapse movie", true, true, 3000, L"&Yes", -1, L"lapse.avi", 3000, false, {"Save?"}, false},
      {"time-lapse, cancelled", true, false, 3000, L"&Yes", -1, L"none.avi", -1, false, {}, false},
      {"time-lapse, cancelled save dialog", true, true, 3000, L"&Yes", -1, std::nullopt, -1, true, {"Save?"}, false},
      {"time-lapse, nothing recorded, declined", true, true, 0, L"&No", -1, L"none.avi", -1, false,
       {"Save?", "No file!"}, false},
      {"time-lapse into a missing folder", true, true, 3000, L"&Yes", -1, L"gone\\lapse.avi", -1, true, {"Save?"}, true},
  };
  size_t logged = 0;  // lines in the log so far
  for (const FlowCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetGlobals();
    Global().MovieRecorded = true;  // as an earlier movie leaves it
    prompter_ = ScriptedPrompter();
    portal_.calls.clear();
    window_.fileNameVisible = false;
    ::DeleteFileW(context_.temporaryMovie.c_str());
    Run(c);

    const std::wstring target = c.leaf ? target_.File(*c.leaf) : L"";
    EXPECT_EQ(c.savedBytes, Exists(target) ? static_cast<long>(ReadFileBytes(target).size()) : -1);
    EXPECT_EQ(c.temporaryKept, Exists(context_.temporaryMovie));
    const std::wstring saved = c.timeLapse ? L"Time-lapse movie saved to " : L"This movie saved to ";
    EXPECT_EQ(c.savedBytes > 0 ? saved + target : L"", window_.fileNameVisible ? window_.fileNameText : L"");
    std::vector<std::string> titles;
    for (const Prompt& prompt : prompter_.prompts) titles.push_back(Narrow(prompt.title));
    EXPECT_EQ(c.titles, titles);
    if (c.titles.size() > 1) EXPECT_EQ(L"Nothing recorded!|!|OK", prompter_.prompts[1].message + L"|" +
                                                                      prompter_.prompts[1].icon + L"|" +
                                                                      prompter_.prompts[1].buttons);
    const std::vector<std::string> log = Lines(ReadFileBytes(tracker_.LogPath()));
    ASSERT_EQ(logged + (c.logged ? 1 : 0), log.size());
    if (c.logged) {
      EXPECT_EQ(std::to_string(++logged) + ",76,\"Path not found\",\"" +
                    (c.timeLapse ? "frmMainTimeLapse" : "frmMainMovieRecord") + "\",\"\",-2147221504",
                log.back());
    }
    if (c.timeLapse) {
      // The rate asked for, for this recording only; no movie's time or size for it.
      const std::vector<std::string> rates{"MoviePlaybackFPS?", "MoviePlaybackFPS=10", "MoviePlaybackFPS=15"};
      EXPECT_EQ(c.recorded ? rates : std::vector<std::string>{}, portal_.CallsOf("MoviePlaybackFPS"));
      EXPECT_EQ(c.recorded ? 3u : 0u, portal_.CallsOf("StepCaptureAddFrame").size());
      EXPECT_FALSE(Global().MovieRecorded);
      EXPECT_EQ(L"", window_.status2);
    } else {
      EXPECT_EQ((std::vector<std::string>{c.answer == std::wstring(L"&Yes") ? "MovieRecordAudio=-1"
                                                                           : "MovieRecordAudio=0",
                                          "MovieRecordMode=2", "StartMovieRecording(" + Movie() + ",)",
                                          "StopMovieRecording()"}),
                portal_.calls);
    }
    if (!prompter_.saveRequests.empty()) {
      const SaveDialogRequest& request = prompter_.saveRequests[0];
      EXPECT_EQ(c.timeLapse ? L"Video File (*.avi)|*.avi" : L"Video file (*.avi)|*.avi", request.filter);
      EXPECT_EQ(L"avi|Save Image File.|3074",
                request.defaultExtension + L"|" + request.title + L"|" + std::to_wstring(request.flags));
    }
  }
}

TEST_F(MovieFlow, ComponentFailureEndsTheProgram) {
  portal_.failures[tovra2::dispid::kMovieRecordAudio] = E_FAIL;
  prompter_.answers.push_back(L"&Yes");
  EXPECT_THROW(MovieRecord(context_, window_, popUp_), ProgramEnded);
  ASSERT_EQ(2u, prompter_.prompts.size());
  EXPECT_EQ(L"Sorry - there is a problem writing movie.This could be due to low system memory.|X|Error!",
            prompter_.prompts[1].message + L"|" + prompter_.prompts[1].icon + L"|" + prompter_.prompts[1].title);
  EXPECT_FALSE(Exists(tracker_.LogPath()));
}

}  // namespace
