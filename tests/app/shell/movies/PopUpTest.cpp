// frmPopUp through its real dialog over a recording main window and a fake
// control: the movie mode's texts, icon and Stop button in twips and its
// timer ticked with a fake clock, the keys of each mode, the Enter order,
// the time-lapse entry checks and the errors of a click.
#include "MovieTestFixture.h"
#include "PortalContract.h"

using namespace torvane;
using namespace flow_tests;

namespace {

constexpr int kButton0 = frmPopUp::kButtonIds[0];
constexpr int kButton1 = frmPopUp::kButtonIds[1];

class PopUp : public MovieDialogTest {
 protected:
  void Open(const wchar_t* mode) {
    popUp_.SetTag(mode);
    popUp_.ShowModeless(nullptr);
    ASSERT_TRUE(popUp_.Visible());
  }
  // A key typed into the focused control; the form sees it first.
  void Key(UINT message, WPARAM key) {
    HWND focus = ::GetFocus();
    ::PostMessageW(focus ? focus : popUp_.Window(), message, key, 1);
    PumpMessages(30);
  }
  bool Shown(int id) const { return popUp_.ItemVisible(id); }
  void ExpectIconAtItsPlace(int id) {
    const Form::TwipsBox box = popUp_.ItemBox(id);
    EXPECT_TRUE(Shown(id) && std::abs(box.left - 360) < 15 && std::abs(box.top - 240) < 15) << id;
  }
};

TEST_F(PopUp, MovieBeginTicksAndStop) {
  Global().ElapsedSeconds = 75.0;  // an earlier movie's
  Open(popup_mode::kRecordMovie);
  EXPECT_EQ(L"Record a movie", WindowText(popUp_.Window()));
  EXPECT_EQ(L"Please press 'Begin' when ready to record movie!", popUp_.Text(IDC_POP_MESS));
  EXPECT_EQ(L"Record movie", popUp_.Text(IDC_POP_FRAME));
  EXPECT_EQ(L"&Begin|&Cancel", popUp_.Text(kButton0) + L"|" + popUp_.Text(kButton1));
  ExpectIconAtItsPlace(IDC_POP_EXCLAM);
  EXPECT_EQ(kButton0, popUp_.FocusedControl());
  EXPECT_FALSE(Shown(IDC_POP_FREQ) || Shown(IDC_POP_LOF) || Shown(IDC_POP_STARTTIME) || Shown(IDC_POP_ELAPSED));

  Key(WM_CHAR, L'b');
  EXPECT_EQ(popup_mode::kMovieRecording, popUp_.Tag());
  EXPECT_EQ(std::vector<std::string>{"StartMovieRecording(" + Movie() + ",)"}, portal_.calls);
  EXPECT_EQ(L"Movie recording in progress", window_.status2);
  EXPECT_EQ(L"Movie recording", popUp_.Text(IDC_POP_FRAME));
  EXPECT_EQ(L"Press 'Stop' to stop recording this movie!", popUp_.Text(IDC_POP_MESS));
  EXPECT_EQ(L"Time movie started: " + TimeOfDayText(now_), popUp_.Text(IDC_POP_STARTTIME));
  EXPECT_TRUE(Shown(IDC_POP_STARTTIME) && Shown(IDC_POP_LOF) && !Shown(kButton0));
  EXPECT_EQ(L"&Stop", popUp_.Text(kButton1));
  const Form::TwipsBox frame = popUp_.ItemBox(IDC_POP_FRAME), stop = popUp_.ItemBox(kButton1);
  EXPECT_NEAR(frame.left + (frame.width - stop.width) / 2, stop.left, 15) << "centred in fraMovie";
  EXPECT_EQ(kButton1, popUp_.FocusedControl());
  EXPECT_TRUE(Global().MovieRecorded && popUp_.TimerRunning());
  EXPECT_EQ(0.0, Global().ElapsedSeconds.value_or(-1)) << "this movie's time from its start";

  const int sign0 = frmPopUp::kSignIds[0], sign1 = frmPopUp::kSignIds[1];
  Ticks(1);
  EXPECT_EQ(L"Movie has been recording for 1 seconds", popUp_.Text(IDC_POP_ELAPSED));
  EXPECT_EQ(L"Size of movie file: 313 kb", popUp_.Text(IDC_POP_LOF));
  EXPECT_TRUE(Shown(IDC_POP_ELAPSED) && Shown(sign0) && !Shown(sign1));
  ++now_.wSecond;  // a tick that came late
  Ticks(1);
  EXPECT_EQ(L"Movie has been recording for 3 seconds", popUp_.Text(IDC_POP_ELAPSED));
  EXPECT_EQ(L"Size of movie file: 940 kb", popUp_.Text(IDC_POP_LOF));
  EXPECT_TRUE(!Shown(sign0) && Shown(sign1));

  Key(WM_KEYDOWN, VK_ESCAPE);  // Cancel was the Esc button; it now reads "&Stop"
  EXPECT_FALSE(popUp_.Loaded());
  EXPECT_EQ("StopMovieRecording()", portal_.calls.back());
  EXPECT_EQ(L"", window_.status2);
}

TEST_F(PopUp, KeysOfEachMode) {
  const struct {
    const wchar_t* mode;
    bool begun;
    WPARAM key;          // a character, or VK_ESCAPE as a key press
    short button;        // PopUpButton afterwards, -1 nothing happened
  } cases[] = {
      {popup_mode::kRecordMovie, false, L'c', 1},     {popup_mode::kRecordMovie, false, L'N', 1},
      {popup_mode::kRecordMovie, false, L'o', -1},    {popup_mode::kRecordMovie, true, L'S', 0},  // hidden button 0
      {popup_mode::kRecordMovie, true, L'n', 1},      {popup_mode::kSaveMovie, false, L'y', 0},
      {popup_mode::kSaveMovie, false, L'n', 1},       {popup_mode::kSaveMovie, false, VK_ESCAPE, -1},  // no Esc button
      {popup_mode::kTimeLapse, false, L'C', 1},       {popup_mode::kTimeLapse, false, VK_ESCAPE, 1},
  };
  for (const auto& c : cases) {
    Global().PopUpButton = -1;
    Global().MovieRecorded = false;
    Open(c.mode);
    if (c.begun) popUp_.Click(0);
    c.key == VK_ESCAPE ? Key(WM_KEYDOWN, c.key) : Key(WM_CHAR, c.key);
    EXPECT_EQ(c.button, Global().PopUpButton) << popUp_.Tag() << " " << char(c.key);
    EXPECT_EQ(c.button >= 0, !popUp_.Loaded()) << popUp_.Tag() << " " << char(c.key);
    EXPECT_EQ(c.begun, Global().MovieRecorded);
    popUp_.Unload();
  }
}

TEST_F(PopUp, EnterFollowsTheTabPositionsAndSkipsHiddenControls) {
  Open(popup_mode::kTimeLapse);
  for (int expected : {IDC_POP_FREQ, IDC_POP_FPS, kButton0, kButton1, IDC_POP_FREQ}) {
    EXPECT_EQ(expected, popUp_.FocusedControl());
    Key(WM_KEYDOWN, VK_RETURN);
  }
  popUp_.Unload();
  Open(popup_mode::kRecordMovie);
  Key(WM_KEYDOWN, VK_RETURN);
  Key(WM_KEYDOWN, VK_RETURN);  // to txtCaptureFreq, which this mode does not show
  EXPECT_EQ(kButton1, popUp_.FocusedControl());
  EXPECT_TRUE(popUp_.Loaded() && portal_.calls.empty()) << "Enter presses no button";
}

TEST_F(PopUp, TimeLapseEntriesAreCheckedInOrder) {
  const wchar_t* const kFrequency = L"Please specify the frame capture frequency as a whole number greater than 0!";
  const wchar_t* const kRate = L"Please indicate frames per second playback as a whole number 1 - 30!";
  const struct {
    const wchar_t *frequency, *fps, *message;  // no message: accepted
    int focus;
  } cases[] = {
      {L"0", L"10", kFrequency, IDC_POP_FREQ},   {L"", L"10", kFrequency, IDC_POP_FREQ},
      {L"2.5", L"10", kFrequency, IDC_POP_FREQ}, {L"5s", L"10", kFrequency, IDC_POP_FREQ},
      {L"-5", L"", kFrequency, IDC_POP_FREQ},    {L"5", L"0", kRate, IDC_POP_FPS},
      {L"5", L"31", kRate, IDC_POP_FPS},         {L"5", L"", kRate, IDC_POP_FPS},
      {L"1,200", L"30", nullptr, 0},
  };
  Open(popup_mode::kTimeLapse);
  EXPECT_EQ(L"Take time-lapse movie", WindowText(popUp_.Window()));
  EXPECT_EQ(L"Time lapse movie", popUp_.Text(IDC_POP_FRAME));
  EXPECT_EQ(L"Please give the following parameters for the time-lapse movie:", popUp_.Text(IDC_POP_MESS));
  EXPECT_EQ(L"&OK|&Cancel", popUp_.Text(kButton0) + L"|" + popUp_.Text(kButton1));
  EXPECT_TRUE(Shown(IDC_POP_FREQLABEL) && Shown(IDC_POP_SECONDS) && Shown(IDC_POP_FPSLABEL) && Shown(IDC_POP_FPS));
  ExpectIconAtItsPlace(IDC_POP_QUERY);
  for (const auto& c : cases) {
    prompter_.prompts.clear();
    ::SetWindowTextW(popUp_.Item(IDC_POP_FREQ), c.frequency);
    ::SetWindowTextW(popUp_.Item(IDC_POP_FPS), c.fps);
    popUp_.Click(0);
    if (!c.message) break;
    ASSERT_EQ(1u, prompter_.prompts.size()) << c.frequency << " / " << c.fps;
    const Prompt& prompt = prompter_.prompts[0];
    EXPECT_EQ(c.message, prompt.message);
    EXPECT_EQ(c.focus == IDC_POP_FREQ ? L"x|ok|Error!" : L"x|OK|Error!",
              prompt.icon + L"|" + prompt.buttons + L"|" + prompt.title);
    EXPECT_EQ(c.focus, popUp_.FocusedControl()) << c.frequency << " / " << c.fps;
  }
  EXPECT_EQ(1200, Global().FrameInterval) << "thousands commas are ignored";
  EXPECT_EQ(30, Global().TimeLapseFps);
  EXPECT_EQ(popup_mode::kTimeLapseRecording, popUp_.Tag());
}

TEST_F(PopUp, ErrorsOfAClick) {
  // A frequency that passes the check but not its 16-bit field.
  Open(popup_mode::kTimeLapse);
  ::SetWindowTextW(popUp_.Item(IDC_POP_FREQ), L"40000");
  ::SetWindowTextW(popUp_.Item(IDC_POP_FPS), L"10");
  popUp_.Click(0);
  EXPECT_EQ(std::vector<std::wstring>{L"6 Overflow"}, prompter_.systemMessages);
  EXPECT_TRUE(portal_.calls.empty() && !Global().TimeLapseActive && popUp_.Loaded());
  popUp_.Unload();
  // A failing control is reported plainly too.
  portal_.failures[tovra2::dispid::kStartMovieRecording] = E_FAIL;
  Open(popup_mode::kRecordMovie);
  popUp_.Click(0);
  ASSERT_EQ(2u, prompter_.systemMessages.size());
  EXPECT_EQ(0u, prompter_.systemMessages[1].find(std::to_wstring(long(E_FAIL)) +
                                                 L" VideoPortal.StartMovieRecording failed"));
  popUp_.Unload();
  // A recording the control refuses to start ends the program.
  portal_.failures.clear();
  portal_.results[tovra2::dispid::kStartMovieRecording] = 0;
  Open(popup_mode::kRecordMovie);
  EXPECT_THROW(popUp_.Click(0), ProgramEnded);
  ASSERT_EQ(1u, prompter_.prompts.size());
  EXPECT_EQ(L"The camera has reported an error while trying to record this movie.\r\n\r\nThe problem is likely to "
            L"be that not enough disc space or memory is available.\r\n\r\nPlease close all other applications,  "
            L"re-start Torvane and try again!",
            prompter_.prompts[0].message);
  EXPECT_EQ(L"X|OK|Error!", prompter_.prompts[0].icon + L"|" + prompter_.prompts[0].buttons + L"|" +
                                prompter_.prompts[0].title);
}

}  // namespace
