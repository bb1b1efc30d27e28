// The motion detector set-up dialog.
#include "frmMotion.h"

#include "Global.h"
#include "PlainErrors.h"
#include "Spinner.h"
#include "TorvaneIds.h"
#include "engine/interface/EngineCommands.h"

namespace torvane {

namespace {

constexpr int kStart = IDC_MO_CMDDO;
constexpr int kCancel = IDC_MO_CMDDO + 1;
constexpr int kReset = IDC_MO_CMDDO + 2;
constexpr int kHelp = IDC_MO_CMDDO + 3;

constexpr int kActions[3] = {IDC_MO_SNAPSHOT, IDC_MO_MOVIESOUND, IDC_MO_MOVIENOSOUND};

}  // namespace

frmMotion::frmMotion(FlowContext& context, CaptureWindow& window)
    : Form(IDD_MOTION), context_(context), window_(window), location_(context.prompter) {}

void frmMotion::OnLoad() {
  MoveTo(50, 50);
  RunShowingErrors(context_.prompter, [&] {
    ResetGlobals();
    location_.Attach(Window(), IDC_MO_DRIVE, IDC_MO_FOLDER);
    location_.ShowDefaultFolder();
  });
  AttachSpinner(Item(IDC_MO_UPDDEGREE), Item(IDC_MO_DEGREE), 1, 100, 1);
  SetText(IDC_MO_DEGREE, L"1");
  SetChecked(IDC_MO_BMP, true);
  AddTooltip(IDC_MO_MINS, L"The number of minutes delay before taking snap-shot");
  AddTooltip(kStart, L"Start motion detector");
  AddTooltip(kCancel, L"Abandon and close");
  AddTooltip(kReset, L"Reset / remove all values entered");
  AddTooltip(kHelp, L"Get help with this screen");
  SetItemFont(IDC_MO_INFO, L"Arial Black", 8);
  SetItemIcon(IDC_MO_REDEX, IDI_REDEX);
  SetEnterOrder({IDC_MO_DEGREE, IDC_MO_SNAPSHOT, IDC_MO_MOVIESOUND, IDC_MO_MOVIENOSOUND, IDC_MO_ALARM,
                 IDC_MO_STARTNOW, IDC_MO_MINS, IDC_MO_DRIVE, IDC_MO_FOLDER, IDC_MO_PREFIX, IDC_MO_BMP, IDC_MO_JPG},
                kStart);
  Focus(IDC_MO_DEGREE);
}

void frmMotion::OnCommand(int id, int code) {
  RunShowingErrors(context_.prompter, [&] {
    if (location_.OnCommand(id, code) || code != BN_CLICKED) return;
    switch (id) {
      case IDC_MO_SNAPSHOT:
      case IDC_MO_MOVIESOUND:
      case IDC_MO_MOVIENOSOUND: SelectAction(id); break;
      case IDC_MO_BMP:
      case IDC_MO_JPG: ::CheckRadioButton(Window(), IDC_MO_BMP, IDC_MO_JPG, id); break;
      case kStart: Start(); break;
      case kCancel: Unload(); break;
      case kReset: Reset(); break;
      case kHelp: window_.ShowHelp(Window(), kHelpContext); break;
      default: break;
    }
  });
}

bool frmMotion::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  return location_.OnMessage(message, lParam, result);
}

// An option is chosen by a click or by getting the focus, as option
// buttons are; at most one of the three is chosen.
void frmMotion::SelectAction(int option) {
  ::CheckRadioButton(Window(), IDC_MO_SNAPSHOT, IDC_MO_MOVIENOSOUND, option);
  ShowFileFormat(option == IDC_MO_SNAPSHOT);
  if (option == IDC_MO_MOVIESOUND) Global().MotionSound = -1;
  if (option == IDC_MO_MOVIENOSOUND) Global().MotionSound = 0;
}

void frmMotion::ShowFileFormat(bool visible) {
  for (int id : {IDC_MO_FORMATFRAME, IDC_MO_FILETYPE, IDC_MO_BMP, IDC_MO_JPG}) ShowItem(id, visible);
}

void frmMotion::Reset() {
  for (int id : kActions) SetChecked(id, false);
  SetChecked(IDC_MO_ALARM, false);
  SetText(IDC_MO_DEGREE, L"1");
  SetText(IDC_MO_PREFIX, L"");
  ShowFileFormat(false);
  SetChecked(IDC_MO_STARTNOW, false);
  SetText(IDC_MO_MINS, L"");
}

MotionEntry frmMotion::ReadEntry() const {
  MotionEntry entry;
  entry.snapShots = Checked(IDC_MO_SNAPSHOT);
  entry.movieWithSound = Checked(IDC_MO_MOVIESOUND);
  entry.movieWithoutSound = Checked(IDC_MO_MOVIENOSOUND);
  entry.alarm = Checked(IDC_MO_ALARM);
  entry.bmp = Checked(IDC_MO_BMP);
  entry.startNow = Checked(IDC_MO_STARTNOW);
  entry.degree = Text(IDC_MO_DEGREE);
  entry.minutes = Text(IDC_MO_MINS);
  entry.prefix = Text(IDC_MO_PREFIX);
  return entry;
}

void frmMotion::FocusField(MotionField field) {
  switch (field) {
    case MotionField::kSnapShots: Focus(IDC_MO_SNAPSHOT); break;
    case MotionField::kDegree: Focus(IDC_MO_DEGREE); break;
    case MotionField::kMinutes: Focus(IDC_MO_MINS); break;
    case MotionField::kStartNow: Focus(IDC_MO_STARTNOW); break;
  }
}

void frmMotion::Start() {
  const MotionEntry entry = ReadEntry();
  if (const std::optional<MotionField> refused = CheckMotionEntry(entry, context_.prompter)) {
    FocusField(*refused);
    return;
  }
  GlobalState& g = Global();
  ApplyMotionEntry(entry, g, ToLocalSeconds(context_.clock()));
  window_.vidPort().SetCameraPropertyLong(engine::kPropMotionReport, -1);
  window_.vidPort().SetCameraPropertyLong(engine::kPropMotionSensitivity, g.MotionThreshold);
  window_.SetStatusText(2, L"Motion detector in operation");
  window_.SetButtonCaption(5, kStopMotionDetectorCaption);
  for (int button : {1, 2, 3, 4, 6}) window_.EnableButton(button, false);
  window_.EnableHelpButton(false);
  window_.Repaint();
  Unload();
}

}  // namespace torvane
