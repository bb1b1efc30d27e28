// Help context numbers of the main window: the topic each File menu item
// opens when F1 is pressed on it, and the window's own topic.
#pragma once

#include <windows.h>

#include "HelpIds.h"

namespace torvane {

inline constexpr DWORD kMainWindowHelpContext = IDH_MAINWINDOW;

// 0 for a command without a topic of its own.
DWORD MenuHelpContext(int commandId);

}  // namespace torvane
