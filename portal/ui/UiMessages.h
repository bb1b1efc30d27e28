// Messages and command ids the control's own user interface sends to the
// control's window: clicks on the bar's buttons and panes, and the buttons
// of the information screens.
#pragma once

#include <windows.h>

namespace portal {

inline constexpr UINT kMsgResolutionButton = 1465;  // wParam: the mouse message of the click
inline constexpr UINT kMsgCameraButton = 1466;
inline constexpr UINT kMsgFormatSequenceRequest = 1467;
inline constexpr UINT kMsgCompanionButton = 1468;
inline constexpr UINT kMsgModePane = 1471;
inline constexpr UINT kMsgValuePane = 1472;

// The click that opens a button pane's menu or program.
inline constexpr WPARAM kButtonClick = WM_LBUTTONDOWN;

// WM_COMMAND ids of the information screens' buttons.
inline constexpr int kRetryButtonId = 1041;
inline constexpr int kWizardButtonId = 1042;

}  // namespace portal
