// The location lists of the schedule dialogs.
#include "StoreLocation.h"

#include "FileErrors.h"
#include "Global.h"
#include "SaveFileDialog.h"

namespace torvane {

void StoreLocation::Attach(HWND dialog, int driveListId, int folderListId) {
  driveListId_ = driveListId;
  folderListId_ = folderListId;
  drives_.Attach(::GetDlgItem(dialog, driveListId));
  folders_.Attach(::GetDlgItem(dialog, folderListId), [this](const std::wstring& path) {
    Global().StoreFolder = path;
    drives_.SelectDriveOf(path);
  });
}

void StoreLocation::ShowDefaultFolder() {
  try {
    try {
      folders_.SetPath(UserDocumentsPath());
    } catch (const AppError& error) {
      if (error.number != kErrPathNotFound) throw;
      folders_.SetPath(SystemDriveRoot());
    }
  } catch (const AppError& error) {
    ShowError(error);
  }
}

std::wstring StoreLocation::DriveUnavailableMessage(const std::wstring& drive) {
  if (drive == L"a:") return L"Please insert a floppy disc in drive a:";
  return L"Sorry - drive " + drive + L" is not available for this purpose!";
}

bool StoreLocation::OnCommand(int id, int code) {
  if (id == driveListId_ && code == CBN_SELCHANGE) {
    OnDriveChange();
  } else if (id == folderListId_ && code == LBN_DBLCLK) {
    OnFolderOpen();
  } else {
    return false;
  }
  return true;
}

bool StoreLocation::OnMessage(UINT message, LPARAM lParam, INT_PTR* result) const {
  if (message != WM_DRAWITEM || !folders_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
  *result = TRUE;
  return true;
}

void StoreLocation::OnDriveChange() {
  const std::wstring drive = drives_.Drive();
  try {
    folders_.SetPath(drive);
  } catch (const AppError& error) {
    if (error.number == kErrDeviceUnavailable) {
      prompter_.MessBox(DriveUnavailableMessage(drive), L"!", L"OK", L"Error!");
    } else {
      ShowError(error);
    }
    drives_.SelectDriveOf(folders_.Path());  // the folder list kept its path
  }
}

void StoreLocation::OnFolderOpen() {
  try {
    folders_.OpenSelected();
  } catch (const AppError& error) {
    ShowError(error);
  }
}

void StoreLocation::ShowError(const AppError& error) { prompter_.SystemMessage(error.MessageText()); }

}  // namespace torvane
