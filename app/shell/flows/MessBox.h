// MessBox: shows a message with an icon code ("?", "i", "!", "x") and a
// button set ("Y/N", "OK", "Cancel") in frmMessBox and returns the caption
// of the chosen button ("&Yes", "&No", "&OK", "&Cancel"). Callers compare
// the answer with these captions, "&" included.
#pragma once

#include <windows.h>

#include <string>

namespace torvane {

// owner: the window the prompt stands over; null takes the thread's
// active window.
std::wstring MessBox(const std::wstring& message, const std::wstring& icon, const std::wstring& buttons,
                     const std::wstring& title, HWND owner = nullptr);

}  // namespace torvane
