// The common save-file dialog of the capture flows, and the folder it
// starts in: the user's Documents folder, or the system drive's root when
// there is none. (Where the application's dialogs name "c:\My Documents",
// they mean the user's Documents folder.)
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Prompter.h"

namespace torvane {

std::wstring DocumentsFolder();
// The user's Documents folder as the system names it; it may not exist.
std::wstring UserDocumentsPath();
// The system drive's root, "C:\".
std::wstring SystemDriveRoot();

// The chosen full path, or nothing on Cancel (or when the dialog fails).
std::optional<std::wstring> ShowSaveFileDialog(HWND owner, const SaveDialogRequest& request);

// "Name|*.ext|..." as the dialog wants it: zero-separated, two zeros at the end.
std::wstring DialogFilter(const std::wstring& barSeparated);

}  // namespace torvane
