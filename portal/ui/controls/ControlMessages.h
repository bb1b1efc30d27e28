// Messages the skinned controls exchange with their owners. Each number or
// name that leaves a control is defined here once.
#pragma once

#include <windows.h>

namespace portal::controls {

// Name under which the image buttons' click notification is registered
// system-wide. wParam = the button's command id, lParam = the address of
// the ImageButton object.
inline constexpr wchar_t kClickMessageName[] = L"{BE007403-6666-4076-B54F-2F90DBB73FC9}";

// Registers the click notification (done once when the control's module
// is loaded) and returns its number; 0 when the system refuses.
UINT RegisterClickMessage();
// The registered click notification; registers it on first use when the
// module's load has not done so (a host that links the controls itself).
UINT ClickMessage();

// Sent by a CStatusBarEx to its parent for a pane whose width the owner
// supplies (pane kind 7): wParam = the pane's code, lParam = 0; the
// result is the width in pixels.
inline constexpr UINT kPaneWidthQuery = WM_USER + 1;  // 1025

}  // namespace portal::controls
