// frmDelay: the delayed snapshot dialog ("Delayed snap-shot"). "&OK" checks
// the delay and starts the count-down; every second the count-down and the
// clock move on, and once the delay has passed the picture is taken, the
// dialog hides and the save question follows; the dialog is then unloaded.
#pragma once

#include "CaptureWindow.h"
#include "DelayCountdown.h"
#include "FlowContext.h"
#include "Form.h"
#include "HelpIds.h"
#include "WindowTicks.h"

namespace torvane {

class frmDelay final : public Form {
 public:
  static constexpr DWORD kHelpContext = IDH_DELAYED;

  frmDelay(FlowContext& context, CaptureWindow& window);

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code) override;
  void OnCancel() override;

 private:
  void StartCountdown();
  void Tick();

  FlowContext& context_;
  CaptureWindow& window_;
  DelayCountdown countdown_;
  WindowTicks ticks_;  // timTime
};

}  // namespace torvane
