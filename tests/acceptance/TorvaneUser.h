// A user at the real Torvane.exe: every command is given with the mouse or
// the keyboard through real input (toolbar buttons clicked, the File menu
// opened with Alt+F, the control's bar clicked, fields typed into), every
// answer read back from the windows' texts, and a screenshot taken of each
// window and dialog on the way. Every step waits within a bound and
// reports whether it got there.
#pragma once

#include <windows.h>

#include <string>

#include "TorvaneProcess.h"

namespace acceptance {

using shell_e2e::TorvaneProcess;

class TorvaneUser {
 public:
  // Screenshots go to shots as "torvane-<name>.bmp".
  TorvaneUser(TorvaneProcess& torvane, std::wstring shots);

  // Toolbar button 1 to 6, clicked; the mouse then leaves the toolbar so
  // that no tool tip lies over the dialog the button opens.
  bool ToolbarButton(int index);
  // Alt+F, then Down to the entry (0 = the first, separators skipped) and
  // Enter; a screenshot of the open menu when shot is given.
  bool FileMenu(int entry, const wchar_t* shot = nullptr);

  // The pane of the control's bar at index (its status pane is 0),
  // clicked: the menu it opens, a screenshot of it when shot is given,
  // then Down pressed downs times (the first press selects the first item)
  // and Enter.
  bool BarMenu(int pane, int downs, const wchar_t* shot = nullptr);

  HWND Dialog(const std::wstring& title, DWORD timeoutMs = 20000) const;
  // A recording dialog (frmPopUp) whose frame reads frame.
  HWND PopUp(const std::wstring& frame, DWORD timeoutMs = 20000) const;
  // The prompt with the title: screenshot (when shot is given), its message,
  // then the button clicked and the prompt gone. Empty when it never came.
  std::wstring Answer(const std::wstring& title, int buttonId, const wchar_t* shot = nullptr);

  // A button, check box or option of the dialog, clicked once it is enabled.
  bool Press(HWND dialog, int id) const;
  bool Fill(HWND dialog, int id, const std::wstring& text) const;
  // The folder chosen through the lists' own messages (TorvaneProcess).
  bool ChooseFolder(HWND dialog, int driveListId, int folderListId, const std::wstring& folder) const {
    return TorvaneProcess::ChooseFolder(dialog, driveListId, folderListId, folder);
  }
  // The save dialog: the name typed into its name field, then Enter.
  bool SaveAs(HWND saveDialog, const std::wstring& path) const;

  void Shot(HWND window, const std::wstring& name) const;
  TorvaneProcess& App() const { return torvane_; }

 private:
  TorvaneProcess& torvane_;
  std::wstring shots_;
  int lastBarPane_ = -1;  // the pane BarMenu clicked last, and when
  DWORD lastBarClick_ = 0;
};

std::wstring Item(HWND dialog, int id);
bool Gone(HWND window, DWORD timeoutMs = 10000);

}  // namespace acceptance
