// frmTimedSnaps: the timed sequence dialog ("Timed sequence of
// snap-shots"). Its "&Start" checks the entry and plans the sequence; the
// dialog then hides but stays loaded, and its one-second timer runs the
// sequence (frmTimedSnapsRunner.cpp): pictures stored under time-stamped
// names, the progress window from the first one on, the finish message at
// the end. Chosen again while a sequence waits for its start, the same
// dialog shows with its values; its "&Cancel" ends the sequence.
#pragma once

#include <optional>

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "Form.h"
#include "HelpIds.h"
#include "StoreLocation.h"
#include "TimedSnapsChecks.h"
#include "WindowTicks.h"
#include "frmProgress.h"

namespace torvane {

class frmTimedSnaps final : public Form {
 public:
  static constexpr DWORD kHelpContext = IDH_SEQUENCE;

  frmTimedSnaps(FlowContext& context, CaptureWindow& window, frmProgress& progress);
  bool Running() const { return running_; }

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void FillTimeLists();
  void Reset();
  TimedSnapsEntry ReadEntry() const;
  void FocusField(TimedSnapsField field);
  void Start();
  void StartPlan(const TimedSnapsPlan& plan);

  // The runner (frmTimedSnapsRunner.cpp).
  void Tick();
  void TakeSnapShot();
  void Finish();

  FlowContext& context_;
  CaptureWindow& window_;
  frmProgress& progress_;
  StoreLocation location_;
  WindowTicks ticks_;  // timTime: the clock and the runner
  bool running_ = false;
  short kind_ = 0;
  std::optional<LocalSeconds> stop_;
  long interval_ = 0;
};

}  // namespace torvane
