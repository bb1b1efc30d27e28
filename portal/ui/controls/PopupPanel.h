// The popup panel: a modal dialog from a template of the resource module
// that slides out of an anchor window (an image button). On showing it
// adds what its template lacks: a close button (id 2) at the top-right, an
// etched line under the content and a CButtonTEx check button (id 1, text
// string 160) below it. It closes with result 1 on a press outside it or
// on the check button, with 2 on the close button or WM_CLOSE.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/controls/PanelPlacement.h"

namespace portal::controls {

class CButtonTEx;

// What the panel needs from the system, replaceable for tests.
class PanelEnvironment {
 public:
  virtual RECT WorkArea() = 0;
  // Plays a system sound by alias, without a default sound, not waiting.
  virtual void PlaySystemSound(const wchar_t* alias) = 0;
  // Called after each slide step.
  virtual void Pause(DWORD ms) = 0;

 protected:
  ~PanelEnvironment() = default;
};
PanelEnvironment& SystemPanelEnvironment();

class PopupPanel {
 public:
  static constexpr UINT_PTR kFollowTimer = 2499;
  static constexpr UINT kFollowPeriodMs = 50;
  static constexpr DWORD kSlidePauseMs = 8;
  static constexpr wchar_t kPopupSound[] = L"MenuPopup";
  static constexpr int kCheckButtonId = IDOK;     // 1
  static constexpr int kCloseButtonId = IDCANCEL;  // 2
  static constexpr int kCloseButtonSize = 13;
  static constexpr int kGrowWidth = 6, kGrowHeight = 38;
  // Result of a press outside the panel.
  static constexpr INT_PTR kDismissed = 1;

  // The owner's part: content set-up and commands of the template's own
  // controls.
  class Handler {
   public:
    virtual void OnPanelInit(PopupPanel& /*panel*/, HWND /*dialog*/) {}
    virtual void OnPanelCommand(PopupPanel& /*panel*/, HWND /*dialog*/, int /*id*/, int /*code*/, HWND /*control*/) {}
    virtual void OnPanelClosed(PopupPanel& /*panel*/, INT_PTR /*result*/) {}

   protected:
    ~Handler() = default;
  };

  // Template templateId of module; the side it prefers to open at.
  PopupPanel(HMODULE module, UINT templateId, PanelSide preferred = PanelSide::Right);
  ~PopupPanel();
  PopupPanel(const PopupPanel&) = delete;
  PopupPanel& operator=(const PopupPanel&) = delete;

  void SetHandler(Handler* handler) { handler_ = handler; }
  void SetEnvironment(PanelEnvironment* environment);
  void SetPreferredSide(PanelSide side) { preferred_ = side; }

  // Runs the panel modally next to anchor, owned by owner; its result, or
  // -1 when the dialog cannot be created (0 while a run is in progress).
  INT_PTR Run(HWND anchor, HWND owner);
  // The open panel's window, nullptr when none is open.
  HWND Handle() const { return dialog_; }
  // The side it opened at in the last run.
  PanelSide OpenedSide() const { return placement_.side; }
  void Close(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void SlideOut();
  void MoveContent(int dx, int dy);
  void FollowCursor();
  void PassButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnButtonDown(LPARAM lParam);

  HMODULE module_;
  UINT templateId_;
  PanelSide preferred_;
  Handler* handler_ = nullptr;
  PanelEnvironment* environment_;
  // State of one run.
  HWND dialog_ = nullptr, anchor_ = nullptr;
  PanelPlacement placement_;
  SIZE size_ = {0, 0};
  std::unique_ptr<CButtonTEx> checkButton_;
  struct ChildPlace {
    HWND child;
    POINT home;  // where it sits once the panel is fully out
  };
  std::vector<ChildPlace> content_;
  bool trackingLeave_ = false, leftUpPassed_ = false, rightUpPassed_ = false;
};

}  // namespace portal::controls
