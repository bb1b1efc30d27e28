// Drives the real Torvane.exe from a test process as a user would: starts
// it with its own temporary folder and camera configuration, posts its
// commands, finds its prompts and dialogs and answers them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "common/UniqueHandle.h"

namespace shell_e2e {

class TorvaneProcess {
 public:
  // environment: variables added to (or replacing) this process's ones.
  explicit TorvaneProcess(const std::map<std::wstring, std::wstring>& environment);
  // The Torvane.exe at program (an installed copy) instead of the one
  // beside the test.
  TorvaneProcess(const std::map<std::wstring, std::wstring>& environment, const std::wstring& program);
  ~TorvaneProcess();
  TorvaneProcess(const TorvaneProcess&) = delete;
  TorvaneProcess& operator=(const TorvaneProcess&) = delete;

  bool Started() const { return mainWindow_ != nullptr; }
  HWND MainWindow() const { return mainWindow_; }
  DWORD ProcessId() const { return processId_; }

  void Command(int id) const;                // WM_COMMAND as the toolbar/menu sends it
  std::wstring ChildText(int id) const;      // a control of the main window
  bool ChildVisible(int id) const;
  std::wstring StatusPanel1() const;
  // The control's pane bar under the live picture, null without one.
  HWND PaneBar() const;
  // Screen rectangles of a control of the main window and of any window.
  RECT ChildRect(int id) const;
  static RECT ScreenRect(HWND window);

  // A visible dialog (#32770) of the process whose caption or frame title
  // (frmMessBox control 100) is title; null after timeoutMs.
  HWND WaitForDialog(const std::wstring& title, DWORD timeoutMs = 20000) const;
  // A visible dialog of the process for which matches(dialog) holds.
  HWND WaitForDialogWhere(const std::function<bool(HWND)>& matches, DWORD timeoutMs = 20000) const;
  // A visible top-level window of the process of that class ("#32768": an
  // open menu) for which matches(window) holds.
  HWND WaitForWindowWhere(const wchar_t* className, const std::function<bool(HWND)>& matches,
                          DWORD timeoutMs = 20000) const;
  // The control of the process that has the keyboard focus.
  HWND FocusedControl() const;
  static std::wstring PromptTitle(HWND dialog);
  static std::wstring PromptMessage(HWND dialog);
  static void Press(HWND dialog, int buttonId);
  // Types the name into the save dialog and presses Save.
  static void SaveAs(HWND dialog, const std::wstring& path);

  // Typing into a field and clicking a button, check box or option.
  static void Type(HWND dialog, int fieldId, const std::wstring& text);
  static void Click(HWND dialog, int buttonId);
  // Chooses a folder in a dialog's drive and folder lists as a user does:
  // its drive, then each folder from the root down with a double-click.
  // False when a folder did not appear in the list.
  static bool ChooseFolder(HWND dialog, int driveListId, int folderListId, const std::wstring& folder);

  bool ButtonEnabled(int index) const;  // toolbar buttons 1-6
  // Hands an engine test command to Torvane's control (the scenario relay);
  // 1 when Torvane queued it, -1 when the relay refused it.
  LRESULT Scenario(long command, long subCode, const void* data = nullptr, DWORD size = 0) const;

  // Writes what the main window (or another window) shows as a 24-bit
  // bitmap file.
  bool SaveWindowPicture(const std::wstring& path, HWND window = nullptr) const;

  // Waits for the process to end; its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs) const;
  // Closes the main window as Exit does and waits for the end.
  DWORD Close();

 private:
  common::UniqueKernelHandle process_;
  DWORD processId_ = 0;
  HWND mainWindow_ = nullptr;
};

std::wstring WindowText(HWND window);
// Waits until the condition holds, pumping nothing (the target is another
// process); false after timeoutMs.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(25);
  }
  return true;
}

// Waits until no camera engine is running, so that the next one starts
// with the configuration of the next Torvane.
bool WaitForNoEngine(DWORD timeoutMs);

}  // namespace shell_e2e
