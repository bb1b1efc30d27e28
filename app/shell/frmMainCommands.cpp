// frmMain: the toolbar and menu commands, the camera check before every
// capture command, help, About and Exit.
#include <string>

#include "AlarmSound.h"
#include "Global.h"
#include "MenuHelp.h"
#include "ScheduleForms.h"
#include "TorvaneIds.h"
#include "engine/interface/EngineCommands.h"
#include "frmMain.h"

namespace torvane {

namespace {

// The File menu item that runs the same command as a toolbar button.
int MenuItemOfButton(int index) {
  static const int kItems[6] = {IDM_SNAPSHOT, IDM_DELAYEDSNAP, IDM_SNAPSEQUENCE,
                                IDM_MOVIE,    IDM_MOTIONDETECT, IDM_TIMELAPSE};
  return index >= 1 && index <= 6 ? kItems[index - 1] : 0;
}

}  // namespace

// A command that is locked on the toolbar is locked in the menu too.
void frmMain::EnableButton(int index, bool enabled) {
  const bool on = enabled;
  ::SendMessageW(toolbar_, TB_ENABLEBUTTON, IDT_BUTTON1 + index - 1, MAKELPARAM(on ? TRUE : FALSE, 0));
  if (HMENU menu = ::GetMenu(window_)) {
    ::EnableMenuItem(::GetSubMenu(menu, 0), MenuItemOfButton(index), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  }
}

void frmMain::EnableHelpButton(bool enabled) { ::EnableWindow(Control(IDC_CMDHELP), enabled ? TRUE : FALSE); }

void frmMain::ShowPortal(bool visible) { ShowControl(IDC_LIVEVIEW, visible); }

bool frmMain::ButtonInit() {
  if (vidPort_.CameraConnected() != 0) {
    ShowControl(IDC_FILENAME, false);
    vidPort_.SetCameraPropertyLong(engine::kPropMotionReport, 0);
    StopSound();  // a motion alarm still playing
    return true;
  }
  context_.prompter.MessBox(L"Please connect the camera to your computer's USB port!", L"!", L"OK",
                            L"Camera not connected!");
  return false;
}

void frmMain::ClearImageView() {
  ShowControl(IDC_MOTIONMESS, false);
  ShowControl(IDC_SNAPSHOT, false);
  ShowControl(IDC_FILENAME, false);
  ShowControl(IDC_IMAGELABEL, false);
}

void frmMain::ToolbarButtonClick(int index) {
  switch (index) {
    case 1:
      InstantSnapshot();
      break;
    case 2:
      ShowScheduleDialog(schedules_->delay);
      break;
    case 3:
      ShowScheduleDialog(schedules_->timedSnaps);
      break;
    case 4:
      RecordMovie();
      break;
    case 5:
      MotionDetectorButton();
      break;
    case 6:
      RecordTimeLapse();
      break;
    default:
      break;
  }
}

void frmMain::MenuClick(int commandId) {
  switch (commandId) {
    case IDM_SNAPSHOT:
      InstantSnapshot();
      break;
    case IDM_DELAYEDSNAP:
      ShowScheduleDialog(schedules_->delay);
      break;
    case IDM_SNAPSEQUENCE:
      ShowScheduleDialog(schedules_->timedSnaps);
      break;
    case IDM_MOTIONDETECT:
      ShowScheduleDialog(schedules_->motion);
      break;
    case IDM_MOVIE:
      RecordMovie();
      break;
    case IDM_TIMELAPSE:
      RecordTimeLapse();
      break;
    case IDM_EXIT:
      Exit();
      break;
    case IDM_ABOUT:
      About();
      break;
    case IDM_HELP:
      ShowHelp(window_, kMainWindowHelpContext);
      break;
    default:
      break;
  }
}

// A timed sequence that waits for its start shows its loaded dialog again.
void frmMain::ShowScheduleDialog(Form& dialog) {
  ClearImageView();
  if (!ButtonInit()) return;
  dialog.ShowModal(window_);
}

void frmMain::MotionDetectorButton() {
  const std::wstring caption = ButtonCaption(5);
  if (caption == kMotionDetectorCaption) {
    ShowScheduleDialog(schedules_->motion);
  } else if (caption == kStopMotionDetectorCaption) {
    StopMotionDetector();
  }
  // Any other caption does nothing.
}

void frmMain::StopMotionDetector() {
  const bool alarmWasOn = Global().MotionAlarm;
  vidPort_.SetCameraPropertyLong(engine::kPropMotionReport, 0);
  vidPort_.StopMovieRecording();
  if (motionFileCount_ > 0) {
    context_.prompter.MessBox(std::to_wstring(motionFileCount_) + L" files have been stored in " +
                                  Global().StoreFolder + L" as a result of this motion detection operation.",
                              L"i", L"ok", L"Result");
    motionFileCount_ = 0;
  }
  SetButtonCaption(5, kMotionDetectorCaption);
  SetStatusText(2, L"");
  ResetGlobals();
  for (int index : {1, 2, 3, 4, 6}) EnableButton(index, true);
  EnableHelpButton(true);
  if (alarmWasOn) StopSound();
}

void frmMain::About() {
  context_.prompter.MessBox(L"Torvane version 1.4", L"i", L"OK", L"About Torvane");
}

void frmMain::ShowHelp(HWND owner, DWORD context) { help_.ShowContext(owner, context); }

void frmMain::OnHelp(const HELPINFO* info) {
  DWORD context = kMainWindowHelpContext;
  if (info && info->iContextType == HELPINFO_MENUITEM) {
    if (const DWORD item = MenuHelpContext(info->iCtrlId)) context = item;
  }
  ShowHelp(window_, context);
}

void frmMain::Exit() {
  if (window_) ::DestroyWindow(window_);
}

}  // namespace torvane
