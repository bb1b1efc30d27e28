// The delayed snapshot dialog.
#include "frmDelay.h"

#include "DelayedCapture.h"
#include "ErrorScope.h"
#include "Global.h"
#include "MousePointer.h"
#include "ScheduleTime.h"
#include "TorvaneIds.h"

namespace torvane {

namespace {

constexpr int kOk = IDC_DELAY_CMDDO;
constexpr int kCancel = IDC_DELAY_CMDDO + 1;
constexpr int kHelp = IDC_DELAY_CMDDO + 2;

}  // namespace

frmDelay::frmDelay(FlowContext& context, CaptureWindow& window)
    : Form(IDD_DELAY), context_(context), window_(window) {}

void frmDelay::OnLoad() {
  ResetGlobals();
  countdown_ = DelayCountdown();
  AddTooltip(IDC_DELAY_SECS, L"The number of seconds delay before taking snap-shot");
  AddTooltip(kOk, L"Take the snap-shot after specified number of seconds");
  AddTooltip(kCancel, L"Abandon and close");
  AddTooltip(kHelp, L"Get help with this screen");
  SetItemFont(IDC_DELAY_INFO, L"Arial Black", 8);
  SetItemIcon(IDC_DELAY_SNAP, IDI_SNAP);
  SetItemIcon(IDC_DELAY_REDEX, IDI_REDEX);
  SetEnterOrder({IDC_DELAY_SECS}, kOk);
  Focus(IDC_DELAY_SECS);
}

void frmDelay::OnUnload() {
  ticks_.Stop();
  MousePointer::SetHourglass(false);
}

void frmDelay::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kOk:
      StartCountdown();
      break;
    case kCancel:
      OnCancel();
      break;
    case kHelp:
      window_.ShowHelp(Window(), kHelpContext);
      break;
    default:
      break;
  }
}

void frmDelay::OnCancel() {
  // A running count-down ends with the dialog: no picture.
  MousePointer::SetHourglass(false);
  Unload();
}

void frmDelay::StartCountdown() {
  const std::wstring text = Text(IDC_DELAY_SECS);
  if (!CheckDelayEntry(text, context_.prompter)) {
    Focus(IDC_DELAY_SECS);
    return;
  }
  MousePointer::SetHourglass(true);
  ticks_.Start(Window(), [this] { Tick(); });
  countdown_.Start(text, Global(), ToLocalSeconds(context_.clock()));
  ShowItem(IDC_DELAY_COUNTDOWN, true);
  ShowItem(IDC_DELAY_REDEX, false);
  ShowItem(IDC_DELAY_INFO, false);
  ShowItem(IDC_DELAY_SNAP, true);
  ShowItem(IDC_DELAY_COUNTFRAME, true);
  SetText(IDC_DELAY_COUNTDOWN, countdown_.StartText());
  EnableItem(kOk, false);
}

void frmDelay::Tick() {
  ErrorScope scope(context_, procedures::kDelayTimer, [] { return Global().LastFileName; });
  const SYSTEMTIME now = context_.clock();
  DelayCountdown::Tick tick;
  scope.Run([&] { tick = countdown_.OnTick(Global(), ToLocalSeconds(now)); });
  scope.Run([&] { SetText(IDC_DELAY_COUNTDOWN, tick.countdownText); });
  scope.Run([&] { SetText(IDC_DELAY_CLOCK, ClockText(now)); });
  if (!tick.capture) return;
  DelayedCapture(context_, window_, scope, [this] { Hide(); });
  Unload();
}

}  // namespace torvane
