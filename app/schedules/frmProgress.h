// frmProgress: the timed sequence's progress window ("Snap-shot
// sequence"), shown without being modal from the sequence's first picture
// on. Every second it shows the time, the pictures captured out of the
// total as a segmented bar and as text, and blinks its camera icon. While
// it is open the main window's toolbar and Help button are disabled; its
// "&Cancel" ends the sequence without a message.
#pragma once

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "Form.h"
#include "WindowTicks.h"

namespace torvane {

class frmProgress final : public Form {
 public:
  frmProgress(FlowContext& context, CaptureWindow& window);
  // The dialog that runs the sequence, unloaded by "&Cancel".
  void SetSequenceDialog(Form* dialog) { sequence_ = dialog; }

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code) override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void Tick();
  void UpdateBar(long count, long total);
  void EnableMainWindow(bool enabled);

  FlowContext& context_;
  CaptureWindow& window_;
  Form* sequence_ = nullptr;
  WindowTicks ticks_;  // timTime
  bool iconPhase_ = false;
};

}  // namespace torvane
