// Messages of the control's own user interface: clicks on the bar's
// buttons and panes, the information screens' buttons, and the status
// indicators' timer.
#include "core/messages/MessageRouter.h"

#include "core/MemberCall.h"
#include "ui/UiMessages.h"

namespace portal {

bool MessageRouter::OnResolutionButton(WPARAM wParam, LPARAM) {
  if (wParam == kButtonClick) resolutionMenu_.Open();
  return true;
}

bool MessageRouter::OnCameraButton(WPARAM wParam, LPARAM) {
  if (wParam == kButtonClick) cameraMenu_.Open();
  return true;
}

// The format sequence is what ShowCameraDlg runs for a client.
bool MessageRouter::OnFormatSequenceRequest(WPARAM, LPARAM) {
  AsMemberCall([this] { return launchers_.RunFormatSequence(); });
  return true;
}

bool MessageRouter::OnCompanionButton(WPARAM wParam, LPARAM) {
  if (wParam == kButtonClick) launchers_.LaunchCompanion();
  return true;
}

// The bar passes on every press and release: the control acts on the
// press only.
bool MessageRouter::OnModePane(WPARAM wParam, LPARAM) {
  if (wParam == kButtonClick) bar_.ToggleMode();
  return true;
}

bool MessageRouter::OnValuePane(WPARAM wParam, LPARAM) {
  if (wParam == kButtonClick) bar_.OpenValueMenu();
  return true;
}

bool MessageRouter::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case kRetryButtonId: {
      const LONG index = session_.State().lastCameraIndex;
      AsMemberCall([&] { return session_.Connect(index); });
      return true;
    }
    case kWizardButtonId:
      launchers_.LaunchWizard();
      return true;
    default:
      return false;
  }
}

bool MessageRouter::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam != StatusTimer::kId) return false;
  RefreshIndicators();
  return true;
}

}  // namespace portal
