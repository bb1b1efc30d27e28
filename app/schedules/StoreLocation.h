// The "Location of files" of the timed sequence and motion detector
// dialogs: the drive list and the folder list, with StoreFolder following
// the folder list. A drive that cannot be used (error 68) is reported, a
// floppy drive a: with its own message, and the lists stay where they
// were; other errors are shown as a plain message with their number.
#pragma once

#include <windows.h>

#include <string>

#include "AppError.h"
#include "DriveList.h"
#include "FolderList.h"
#include "Prompter.h"

namespace torvane {

class StoreLocation {
 public:
  explicit StoreLocation(Prompter& prompter) : prompter_(prompter) {}

  void Attach(HWND dialog, int driveListId, int folderListId);
  // The user's Documents folder, or the system drive's root when it does
  // not exist (error 76).
  void ShowDefaultFolder();
  // The lists' notifications (a drive chosen, a folder double-clicked);
  // false for any other command.
  bool OnCommand(int id, int code);
  // WM_DRAWITEM of the folder list; false for any other message.
  bool OnMessage(UINT message, LPARAM lParam, INT_PTR* result) const;
  const std::wstring& Path() const { return folders_.Path(); }

  // The message for a drive that cannot be used.
  static std::wstring DriveUnavailableMessage(const std::wstring& drive);

 private:
  void OnDriveChange();
  void OnFolderOpen();
  void ShowError(const AppError& error);

  Prompter& prompter_;
  int driveListId_ = 0;
  int folderListId_ = 0;
  DriveList drives_;
  FolderList folders_;
};

}  // namespace torvane
