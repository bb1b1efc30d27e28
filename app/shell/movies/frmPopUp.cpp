// The recording dialog: its modes, keys and timer.
#include "frmPopUp.h"

#include "EntryChecks.h"
#include "Global.h"
#include "PlainErrors.h"

namespace torvane {

namespace {

constexpr int kFocusOrder[4] = {IDC_POP_FREQ, IDC_POP_FPS, IDC_POP_CMDDO, IDC_POP_CMDDO + 1};
// The fields of the time-lapse parameters.
constexpr int kTimeLapseFields[5] = {IDC_POP_FREQLABEL, IDC_POP_SECONDS, IDC_POP_FPSLABEL, IDC_POP_FREQ,
                                     IDC_POP_FPS};

}  // namespace

frmPopUp::frmPopUp(FlowContext& context, CaptureWindow& window, UINT tickMs)
    : Form(IDD_POPUP), context_(context), window_(window), tickMs_(tickMs) {}

void frmPopUp::Show(const std::wstring& mode) {
  Unload();  // a fresh dialog every time: its fields start empty
  tag_ = mode;
  ShowModal(window_.OwnerWindow());
}

void frmPopUp::OnLoad() {
  timer_ = RecordingTimer();
  escapeButton_ = -1;
  savedPlaybackFps_.reset();
  AddTooltip(IDC_POP_FREQ, L"Number of seconds between video frames");
  AddTooltip(IDC_POP_FPS, L"Playback frequency");
  SetItemIcon(IDC_POP_EXCLAM, ::LoadIconW(nullptr, IDI_EXCLAMATION));
  SetItemIcon(IDC_POP_QUERY, ::LoadIconW(nullptr, IDI_QUESTION));
  SetItemIcon(IDC_POP_INFO, ::LoadIconW(nullptr, IDI_INFORMATION));
  SetItemIcon(kSignIds[0], IDI_SNAP);
  SetItemIcon(kSignIds[1], IDI_SNAP_FLASH);
  LayOutMode();
}

void frmPopUp::OnUnload() {
  ticks_.Stop();
  RunShowingErrors(context_.prompter, [&] { RestorePlaybackRate(); });
}

// What the dialog shows when it comes up in each of the modes it is shown
// in; the recording modes are reached from these by the dialog itself.
void frmPopUp::LayOutMode() {
  if (tag_ == popup_mode::kRecordMovie) {
    ::SetWindowTextW(Window(), L"Record a movie");
    SetText(IDC_POP_MESS, L"Please press 'Begin' when ready to record movie!");
    SetText(kButtonIds[0], L"&Begin");
    SetText(kButtonIds[1], L"&Cancel");
    escapeButton_ = 1;
    SetText(IDC_POP_FRAME, L"Record movie");
    ShowIcon(IDC_POP_EXCLAM);
    Focus(kButtonIds[0]);
  } else if (tag_ == popup_mode::kSaveMovie) {
    const GlobalState& g = Global();
    SetText(IDC_POP_MESS, L"Do you want to save this movie?");
    SetText(kButtonIds[0], L"&Yes");
    SetText(kButtonIds[1], L"&No");
    SetText(IDC_POP_ELAPSED, L"Movie recorded for " + SecondsText(g.ElapsedSeconds) + L" seconds");
    ShowItem(IDC_POP_ELAPSED, true);
    SetText(IDC_POP_LOF, RecordedSizeText(g.MovieFileLength));
    ShowItem(IDC_POP_LOF, true);
    ShowIcon(IDC_POP_QUERY);
    SetText(IDC_POP_FRAME, L"Save movie?");
    Focus(kButtonIds[0]);
  } else if (tag_ == popup_mode::kTimeLapse) {
    ::SetWindowTextW(Window(), L"Take time-lapse movie");
    SetText(IDC_POP_MESS, L"Please give the following parameters for the time-lapse movie:");
    ShowItem(IDC_POP_MESS, true);
    for (int id : kTimeLapseFields) ShowItem(id, true);
    SetText(kButtonIds[0], L"&OK");
    SetText(kButtonIds[1], L"&Cancel");
    escapeButton_ = 1;
    SetText(IDC_POP_FRAME, L"Time lapse movie");
    ShowIcon(IDC_POP_QUERY);
    Focus(IDC_POP_FREQ);
  }
}

void frmPopUp::ShowIcon(int id) {
  PlaceItem(id, TwipsBox{double(kIconLeft), double(kIconTop), double(kIconSize), double(kIconSize)});
  ShowItem(id, true);
}

void frmPopUp::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kButtonIds[0]) Click(0);
  if (id == kButtonIds[1]) Click(1);
}

void frmPopUp::OnCancel() {
  // Esc, or the window's close command: the Esc button if the mode has one.
  if (escapeButton_ >= 0) Click(escapeButton_);
}

bool frmPopUp::PreviewKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN) {
    if (msg.wParam == VK_RETURN) {
      MoveFocusOnEnter();
      return true;
    }
    if (msg.wParam == VK_ESCAPE) {
      OnCancel();
      return true;
    }
    return false;
  }
  if (msg.message != WM_CHAR) return false;
  const auto key = static_cast<wchar_t>(msg.wParam);
  if (key == L'\r' || key == 27) return true;  // acted on with the key down
  const int button = PopUpButtonForKey(key, ItemVisible(kButtonIds[1]));
  if (button < 0) return false;
  Click(button);
  return true;
}

void frmPopUp::MoveFocusOnEnter() {
  int position = -1;
  for (int i = 0; i < 4; ++i) {
    if (kFocusOrder[i] == FocusedControl()) position = i;
  }
  const int target = kFocusOrder[EnterTargetPosition(position)];
  // A control the mode hides cannot take the focus: it stays where it is.
  if (ItemVisible(target) && ::IsWindowEnabled(Item(target))) Focus(target);
}

void frmPopUp::Click(int index) {
  RunShowingErrors(context_.prompter, [&] {
    Global().PopUpButton = static_cast<short>(index);
    if (tag_ == popup_mode::kRecordMovie) {
      index == 0 ? BeginMovie() : CancelMovie();
    } else if (tag_ == popup_mode::kMovieRecording) {
      StopMovie();
    } else if (tag_ == popup_mode::kSaveMovie) {
      Unload();  // PopUpButton carries the answer
    } else if (tag_ == popup_mode::kTimeLapse) {
      index == 0 ? StartTimeLapse() : CancelTimeLapse();
    } else if (tag_ == popup_mode::kTimeLapseRecording) {
      StopTimeLapse();
    }
  });
}

void frmPopUp::ShowStartTime(const SYSTEMTIME& now) {
  timer_.Start(ToLocalSeconds(now));
  SetText(IDC_POP_STARTTIME, Text(IDC_POP_STARTTIME) + TimeOfDayText(now));
  ShowItem(IDC_POP_STARTTIME, true);
}

// Button 1 alone, centred in fraMovie, stops the recording.
void frmPopUp::ShowStopButton() {
  const TwipsBox frame = ItemBox(IDC_POP_FRAME);
  TwipsBox button = ItemBox(kButtonIds[1]);
  button.left = frame.left + (frame.width - button.width) / 2;
  PlaceItem(kButtonIds[1], button);
  SetText(kButtonIds[1], L"&Stop");
  ShowItem(kButtonIds[0], false);
  // Keys must not go on to a control that is no longer shown.
  if (!ItemVisible(FocusedControl())) Focus(kButtonIds[1]);
}

void frmPopUp::BeginMovie() {
  GlobalState& g = Global();
  window_.SetStatusText(2, L"Movie recording in progress");
  SetText(IDC_POP_FRAME, L"Movie recording");
  if (window_.vidPort().StartMovieRecording(context_.temporaryMovie, L"") == 0) {
    context_.prompter.MessBox(kStartFailureMessage, L"X", L"OK", L"Error!");
    context_.end.Now();
  }
  ShowItem(IDC_POP_LOF, true);
  ShowStartTime(context_.clock());
  SetText(IDC_POP_MESS, L"Press 'Stop' to stop recording this movie!");
  ShowStopButton();
  g.MovieRecorded = true;
  // This recording's time, not the last one's, even when it is stopped
  // before the first tick.
  g.ElapsedSeconds = 0.0;
  ticks_.Start(Window(), [this] { Tick(); }, tickMs_);
  tag_ = popup_mode::kMovieRecording;
}

void frmPopUp::CancelMovie() {
  Global().MovieRecorded = false;
  Unload();
}

void frmPopUp::StopMovie() {
  window_.vidPort().StopMovieRecording();
  window_.SetStatusText(2, L"");
  Unload();
}

bool frmPopUp::CheckTimeLapseEntries() {
  if (CheckWholeNumber(Text(IDC_POP_FREQ), 1, 0, true) != kEntryAcceptable) {
    context_.prompter.MessBox(L"Please specify the frame capture frequency as a whole number greater than 0!",
                              L"x", L"ok", L"Error!");
    Focus(IDC_POP_FREQ);
    return false;
  }
  if (CheckWholeNumber(Text(IDC_POP_FPS), 1, 30, true) != kEntryAcceptable) {
    context_.prompter.MessBox(L"Please indicate frames per second playback as a whole number 1 - 30!", L"x", L"OK",
                              L"Error!");
    Focus(IDC_POP_FPS);
    return false;
  }
  return true;
}

void frmPopUp::StartTimeLapse() {
  if (!CheckTimeLapseEntries()) return;
  GlobalState& g = Global();
  // A frequency above 32767 passes the check but not this conversion.
  g.FrameInterval = WholeNumberToShort(Text(IDC_POP_FREQ));
  g.TimeLapseFps = WholeNumberToShort(Text(IDC_POP_FPS));
  g.TimeLapseActive = true;
  tag_ = popup_mode::kTimeLapseRecording;

  window_.SetStatusText(2, L"Time-lapse recording in progress");
  PortalClient& portal = window_.vidPort();
  portal.SetMovieRecordMode(3);
  portal.SetMovieRecordAudio(0);
  // The movie plays at the rate the user asked for; the control's own rate
  // comes back when the recording ends.
  if (!savedPlaybackFps_) savedPlaybackFps_ = portal.MoviePlaybackFPS();
  portal.SetMoviePlaybackFPS(g.TimeLapseFps);
  portal.StartMovieRecording(context_.temporaryMovie, L"");

  SetText(IDC_POP_FRAME, L"Time-lapse movie recording");
  SetText(IDC_POP_MESS, L"Press 'Stop' to stop recording this time-lapse movie!");
  ShowItem(IDC_POP_FPS, false);
  ShowItem(IDC_POP_FPSLABEL, false);
  SetText(IDC_POP_FREQLABEL, L"Time-lapse capturing");
  SetText(IDC_POP_SECONDS, L"frames per second");
  ShowStartTime(context_.clock());
  ShowStopButton();
  ticks_.Start(Window(), [this] { Tick(); }, tickMs_);
}

void frmPopUp::CancelTimeLapse() {
  GlobalState& g = Global();
  g.FrameInterval = 0;
  g.TimeLapseFps = 0;
  Unload();
}

void frmPopUp::StopTimeLapse() {
  window_.vidPort().StopMovieRecording();
  RestorePlaybackRate();
  Global().TimeLapseActive = false;
  Unload();
}

void frmPopUp::RestorePlaybackRate() {
  if (!savedPlaybackFps_) return;
  const long rate = *savedPlaybackFps_;
  savedPlaybackFps_.reset();
  window_.vidPort().SetMoviePlaybackFPS(rate);
}

void frmPopUp::Tick() {
  RunShowingErrors(context_.prompter, [&] {
    const RecordingTimer::Tick tick = timer_.OnTick(Global(), ToLocalSeconds(context_.clock()));
    if (tick.elapsedText) {
      SetText(IDC_POP_ELAPSED, *tick.elapsedText);
      ShowItem(IDC_POP_ELAPSED, true);
    }
    if (tick.sizeText) SetText(IDC_POP_LOF, *tick.sizeText);
    if (tick.addFrame) {
      window_.vidPort().StepCaptureAddFrame();
      SetText(IDC_POP_ELAPSED, tick.frameText);
      ShowItem(IDC_POP_ELAPSED, true);
    }
    ShowItem(kSignIds[0], tick.firstSignFrame);
    ShowItem(kSignIds[1], !tick.firstSignFrame);
    RedrawItem(kSignIds[0]);
    RedrawItem(kSignIds[1]);
  });
}

}  // namespace torvane
