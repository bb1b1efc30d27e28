// frmPopUp: the movie and time-lapse recording dialog (template IDD_POPUP).
// Its Tag holds the mode (popup_mode): each showing loads a fresh dialog
// laid out for that mode, and the dialog moves itself on to the recording
// modes when the user begins. Begin or OK starts the control's recording
// into the temporary movie, a one-second timer shows its progress (and
// adds the time-lapse frames), and any button of a recording mode stops it.
// The dialog sees keys before its controls: B, S, Y click button 0, C and N
// button 1, Enter moves the focus along txtCaptureFreq, txtFPS, cmdDo(0),
// cmdDo(1). Any error inside a click is shown as "number description".
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "Form.h"
#include "PopUpRules.h"
#include "RecordingTimer.h"
#include "TorvaneIds.h"
#include "WindowTicks.h"

namespace torvane {

class frmPopUp final : public Form {
 public:
  static constexpr int kButtonIds[2] = {IDC_POP_CMDDO, IDC_POP_CMDDO + 1};  // cmdDo(0), cmdDo(1)
  static constexpr int kSignIds[2] = {IDC_POP_SNAP, IDC_POP_SNAP + 1};      // imgSnap(0), imgSnap(1)
  static constexpr int kIconLeft = 360;  // imgExclam and imgQuery, twips
  static constexpr int kIconTop = 240;
  static constexpr int kIconSize = 480;

  // tickMs: the period of timTime (tests choose one that never elapses and
  // tick it themselves).
  frmPopUp(FlowContext& context, CaptureWindow& window, UINT tickMs = WindowTicks::kOneSecond);

  // Sets the mode and shows a freshly loaded dialog modally over the main
  // window; returns when it has been unloaded.
  void Show(const std::wstring& mode);
  const std::wstring& Tag() const { return tag_; }
  void SetTag(const std::wstring& mode) { tag_ = mode; }

  // A click on cmdDo(index), as its button or its key gives it.
  void Click(int index);
  // What timTime does every second while it runs.
  void Tick();
  bool TimerRunning() const { return ticks_.Running(); }

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code) override;
  void OnCancel() override;
  bool PreviewKey(const MSG& msg) override;

 private:
  void LayOutMode();
  void ShowIcon(int id);
  void MoveFocusOnEnter();
  void ShowStartTime(const SYSTEMTIME& now);
  void ShowStopButton();

  // The clicks of each mode.
  void BeginMovie();
  void CancelMovie();
  void StopMovie();
  void StartTimeLapse();
  void CancelTimeLapse();
  void StopTimeLapse();
  bool CheckTimeLapseEntries();
  void RestorePlaybackRate();

  FlowContext& context_;
  CaptureWindow& window_;
  UINT tickMs_;
  std::wstring tag_;
  WindowTicks ticks_;  // timTime
  RecordingTimer timer_;
  int escapeButton_ = -1;  // the button Esc presses, -1 none
  // MoviePlaybackFPS as it was before a time-lapse recording set its own.
  std::optional<long> savedPlaybackFps_;
};

}  // namespace torvane
