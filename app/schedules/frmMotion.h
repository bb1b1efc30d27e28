// frmMotion: the motion detector set-up ("Motion detector"). "&Start"
// checks the choices, writes them into the shared fields, switches the
// camera's motion reports on with the chosen degree and puts the main
// window into the running state (toolbar button 5 "Stop motion detector",
// everything else disabled); the main window reacts to the reports from
// then on.
#pragma once

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "Form.h"
#include "HelpIds.h"
#include "MotionSetup.h"
#include "StoreLocation.h"

namespace torvane {

class frmMotion final : public Form {
 public:
  static constexpr DWORD kHelpContext = IDH_MOTION;

  frmMotion(FlowContext& context, CaptureWindow& window);

 protected:
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void SelectAction(int option);
  void ShowFileFormat(bool visible);
  void Reset();
  MotionEntry ReadEntry() const;
  void FocusField(MotionField field);
  void Start();

  FlowContext& context_;
  CaptureWindow& window_;
  StoreLocation location_;
};

}  // namespace torvane
