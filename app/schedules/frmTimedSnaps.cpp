// The timed sequence dialog: its lists, Reset, the "&Start" checks and the
// hand-over to the runner.
#include "frmTimedSnaps.h"

#include <cwchar>

#include "Global.h"
#include "MousePointer.h"
#include "PlainErrors.h"
#include "TorvaneIds.h"

namespace torvane {

namespace {

constexpr int kStart = IDC_TS_CMDDO;
constexpr int kCancel = IDC_TS_CMDDO + 1;
constexpr int kReset = IDC_TS_CMDDO + 2;
constexpr int kHelp = IDC_TS_CMDDO + 3;

constexpr wchar_t kInOperation[] = L"Timed snap-shot sequence in operation";

void FillList(HWND combo, int first, int count) {
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d", (first + i) % count);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  ::SetWindowTextW(combo, L"");
}

}  // namespace

frmTimedSnaps::frmTimedSnaps(FlowContext& context, CaptureWindow& window, frmProgress& progress)
    : Form(IDD_TIMEDSNAPS), context_(context), window_(window), progress_(progress), location_(context.prompter) {
  progress_.SetSequenceDialog(this);
}

void frmTimedSnaps::OnLoad() {
  MoveTo(250, 250);
  running_ = false;
  RunShowingErrors(context_.prompter, [&] {
    FillTimeLists();
    ResetGlobals();
    location_.Attach(Window(), IDC_TS_DRIVE, IDC_TS_FOLDER);
    location_.ShowDefaultFolder();
  });
  SetChecked(IDC_TS_BMP, true);
  AddTooltip(IDC_TS_FREQ, L"Frequency of taking snap-shots");
  AddTooltip(IDC_TS_HOURS, L"Time (hours) to start snap-shot sequence");
  AddTooltip(IDC_TS_MINS, L"Time (minutes) to start snap-shot sequence");
  AddTooltip(IDC_TS_STARTCLICK, L"If checked, sequence will start when 'Start' clicked");
  AddTooltip(IDC_TS_HOURS + 1, L"Time (hours) to stop snap-shot sequence");
  AddTooltip(IDC_TS_MINS + 1, L"Time (minutes) to stop snap-shot sequence");
  AddTooltip(IDC_TS_TOTAL, L"If no stop time, total number of snaps to be taken");
  AddTooltip(IDC_TS_FILETYPE, L"Graphic file format of snap-shot files");
  AddTooltip(IDC_TS_DRIVE, L"Drive where snap-shot files are to be written");
  AddTooltip(IDC_TS_FOLDER, L"Folder where snap-shot files are to be written");
  AddTooltip(IDC_TS_PREFIX, L"Optional characters to form file-name prefix for snap-shot files");
  AddTooltip(kStart, L"Start snap-shot sequence");
  AddTooltip(kCancel, L"Abandon and close");
  AddTooltip(kReset, L"Reset / remove all values entered");
  AddTooltip(kHelp, L"Get help with this screen");
  SetItemFont(IDC_TS_INFO, L"Arial Black", 8);
  SetItemIcon(IDC_TS_REDEX, IDI_REDEX);
  SetEnterOrder({IDC_TS_FREQ, IDC_TS_HOURS, IDC_TS_MINS, IDC_TS_STARTCLICK, IDC_TS_HOURS + 1, IDC_TS_MINS + 1,
                 IDC_TS_TOTAL, IDC_TS_BMP, IDC_TS_JPG, IDC_TS_DRIVE, IDC_TS_FOLDER, IDC_TS_PREFIX},
                kStart);
  ticks_.Start(Window(), [this] { Tick(); });
  Focus(IDC_TS_FREQ);
}

void frmTimedSnaps::OnUnload() {
  ticks_.Stop();
  if (progress_.Loaded()) progress_.Unload();
  if (running_) {
    // A sequence ended before its end: nothing of it stays on show.
    running_ = false;
    window_.SetStatusText(2, L"");
    MousePointer::SetHourglass(false);
  }
}

void frmTimedSnaps::FillTimeLists() {
  const SYSTEMTIME now = context_.clock();
  for (int i = 0; i < 2; ++i) {
    FillList(Item(IDC_TS_HOURS + i), now.wHour, 24);
    FillList(Item(IDC_TS_MINS + i), now.wMinute, 60);
  }
}

void frmTimedSnaps::Reset() {
  for (int id : {IDC_TS_FREQ, IDC_TS_HOURS, IDC_TS_HOURS + 1, IDC_TS_MINS, IDC_TS_MINS + 1, IDC_TS_TOTAL,
                 IDC_TS_PREFIX}) {
    SetText(id, L"");
  }
  SetChecked(IDC_TS_STARTCLICK, false);
  SetChecked(IDC_TS_BMP, true);
  SetChecked(IDC_TS_JPG, false);
  location_.ShowDefaultFolder();
  ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void frmTimedSnaps::OnCommand(int id, int code) {
  RunShowingErrors(context_.prompter, [&] {
    if (location_.OnCommand(id, code) || code != BN_CLICKED) return;
    switch (id) {
      case kStart: Start(); break;
      case kCancel: Unload(); break;
      case kReset: Reset(); break;
      case kHelp: window_.ShowHelp(Window(), kHelpContext); break;
      default: break;
    }
  });
}

bool frmTimedSnaps::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  return location_.OnMessage(message, lParam, result);
}

TimedSnapsEntry frmTimedSnaps::ReadEntry() const {
  TimedSnapsEntry entry;
  entry.interval = Text(IDC_TS_FREQ);
  for (int i = 0; i < 2; ++i) {
    entry.hours[i] = Text(IDC_TS_HOURS + i);
    entry.minutes[i] = Text(IDC_TS_MINS + i);
  }
  entry.startOnClick = Checked(IDC_TS_STARTCLICK);
  entry.totalPictures = Text(IDC_TS_TOTAL);
  entry.prefix = Text(IDC_TS_PREFIX);
  entry.bmp = Checked(IDC_TS_BMP);
  entry.storeFolder = Global().StoreFolder;
  return entry;
}

void frmTimedSnaps::FocusField(TimedSnapsField field) {
  switch (field) {
    case TimedSnapsField::kInterval: Focus(IDC_TS_FREQ); break;
    case TimedSnapsField::kStartHour: Focus(IDC_TS_HOURS); break;
    case TimedSnapsField::kStartMinute: Focus(IDC_TS_MINS); break;
    case TimedSnapsField::kStopHour: Focus(IDC_TS_HOURS + 1); break;
    case TimedSnapsField::kStopMinute: Focus(IDC_TS_MINS + 1); break;
    case TimedSnapsField::kTotal: Focus(IDC_TS_TOTAL); break;
    case TimedSnapsField::kDrive: Focus(IDC_TS_DRIVE); break;
  }
}

void frmTimedSnaps::Start() {
  const TimedSnapsOutcome outcome =
      CheckTimedSnaps(ReadEntry(), ToLocalSeconds(context_.clock()), context_.prompter);
  if (!outcome.plan) {
    if (outcome.focus) FocusField(*outcome.focus);
    return;
  }
  StartPlan(*outcome.plan);
}

void frmTimedSnaps::StartPlan(const TimedSnapsPlan& plan) {
  GlobalState& g = Global();
  g.FilePrefix = plan.prefix;
  g.MotionStart = plan.start;
  g.PictureExt = plan.pictureExt;
  g.FrameInterval = plan.interval;
  g.TotalPictures = plan.total;
  kind_ = plan.kind;
  stop_ = plan.stop;
  interval_ = plan.interval;
  if (window_.vidPort().CameraConnected() == 0) {
    context_.prompter.MessBox(L"Please connect the camera to your computer's USB port!", L"!", L"OK",
                              L"Camera not connected!");
    window_.RerunLoad();
    window_.ShowPortal(true);
    // The start-up routine reset the shared fields: the folder shown is
    // still the one chosen.
    g.StoreFolder = location_.Path();
    return;
  }
  running_ = true;
  window_.SetStatusText(2, kInOperation);
  MousePointer::SetHourglass(true);  // the progress window sets it back
  Hide();
}

}  // namespace torvane
