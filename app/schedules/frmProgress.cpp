// The progress window.
#include "frmProgress.h"

#include "Global.h"
#include "MousePointer.h"
#include "PlainErrors.h"
#include "ProgressBar.h"
#include "ScheduleTime.h"
#include "TorvaneIds.h"

namespace torvane {

namespace {

constexpr int kCancel = IDC_PROG_CMDDO;

void SetBorder(HWND element, bool bordered) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(element, GWL_STYLE));
  const DWORD wanted = bordered ? (style | WS_BORDER) : (style & ~WS_BORDER);
  if (wanted == style) return;
  ::SetWindowLongPtrW(element, GWL_STYLE, static_cast<LONG_PTR>(wanted));
  ::SetWindowPos(element, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

frmProgress::frmProgress(FlowContext& context, CaptureWindow& window)
    : Form(IDD_PROGRESS), context_(context), window_(window) {}

void frmProgress::OnLoad() {
  iconPhase_ = false;
  MoveTo(400, 2000);
  SetText(IDC_PROG_MESS, ProgressIntervalText(Global().FrameInterval));
  EnableMainWindow(false);
  MousePointer::SetHourglass(false);
  SetItemIcon(IDC_PROG_SNAP, IDI_SNAP);
  SetItemIcon(IDC_PROG_SNAP + 1, IDI_SNAP_FLASH);
  SetItemIcon(IDC_PROG_EXCLAM, ::LoadIconW(nullptr, IDI_EXCLAMATION));
  AddTooltip(IDC_PROG_TRACK,
             L"This progress bar changes to show the number of snap-shots taken within the series");
  AddTooltip(kCancel, L"Click to stop this snap-shot sequence");
  ticks_.Start(Window(), [this] { Tick(); });
}

void frmProgress::OnUnload() {
  ticks_.Stop();
  EnableMainWindow(true);
}

void frmProgress::EnableMainWindow(bool enabled) {
  for (int button = 1; button <= 6; ++button) window_.EnableButton(button, enabled);
  window_.EnableHelpButton(enabled);
}

void frmProgress::OnCommand(int id, int code) {
  if (id == kCancel && code == BN_CLICKED) OnCancel();
}

void frmProgress::OnCancel() {
  // The pictures stored so far stay; no message.
  if (sequence_) sequence_->Unload();
  window_.SetStatusText(2, L"");
  Unload();
}

bool frmProgress::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
  if (id < IDC_PROG_SEGMENT || id > IDC_PROG_SEGMENT + kMaxArrayIndex) return false;
  // The segments are filled with the highlight colour.
  ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_HIGHLIGHT));
  *result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_HIGHLIGHT));
  return true;
}

void frmProgress::Tick() {
  const GlobalState& g = Global();
  SetText(IDC_PROG_CLOCK, ClockText(context_.clock()));
  UpdateBar(g.PicturesTaken, g.TotalPictures);
  SetText(IDC_PROG_NUMPICS, ProgressCountText(g.PicturesTaken, g.TotalPictures));
  RedrawItem(IDC_PROG_NUMPICS);
  ShowItem(IDC_PROG_SNAP, !iconPhase_);
  ShowItem(IDC_PROG_SNAP + 1, iconPhase_);
  iconPhase_ = !iconPhase_;
  RedrawItem(IDC_PROG_SNAP);
  RedrawItem(IDC_PROG_SNAP + 1);
}

void frmProgress::UpdateBar(long count, long total) {
  const TwipsBox track = ItemBox(IDC_PROG_TRACK);
  const std::optional<ProgressSegment> segment = SegmentFor(count, total, track.width);
  if (!segment) return;  // no picture yet: there is no element -1
  RunShowingErrors(context_.prompter, [&] {
    try {
      if (segment->element > 0) CreateElement(IDC_PROG_SEGMENT, segment->element);
    } catch (const AppError& error) {
      if (error.number != kErrElementLoaded) throw;  // the same count on a later tick
    }
    const int id = IDC_PROG_SEGMENT + segment->element;
    const TwipsBox first = ItemBox(IDC_PROG_SEGMENT);
    PlaceItem(id, TwipsBox{track.left + segment->left, first.top, segment->width, first.height});
    SetBorder(Item(id), segment->bordered);
    ShowItem(id, true);
  });
}

}  // namespace torvane
