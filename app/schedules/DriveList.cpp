// The drive list.
#include "DriveList.h"

#include <cwctype>

namespace torvane {

namespace {

std::wstring DriveText(const std::wstring& drive) {
  const std::wstring root = drive + L"\\";
  const UINT type = ::GetDriveTypeW(root.c_str());
  if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) return drive;
  wchar_t label[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) ||
      !label[0]) {
    return drive;
  }
  return drive + L" [" + label + L"]";
}

}  // namespace

std::vector<std::wstring> DriveList::Drives() {
  std::vector<std::wstring> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) drives.push_back(std::wstring(1, static_cast<wchar_t>(L'a' + i)) + L":");
  }
  return drives;
}

void DriveList::Attach(HWND comboBox) {
  combo_ = comboBox;
  ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& drive : Drives()) {
    ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveText(drive).c_str()));
  }
}

std::wstring DriveList::Drive() const {
  const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  if (index < 0) return std::wstring();
  wchar_t text[MAX_PATH + 8] = {};
  if (::SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH + 8) return std::wstring();
  ::SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return std::wstring(text, 2);
}

void DriveList::SelectDriveOf(const std::wstring& path) {
  if (path.size() < 2 || path[1] != L':') return;
  const std::wstring drive{static_cast<wchar_t>(std::towlower(path[0])), L':'};
  // The list is sorted by letter and every entry starts with its "x:".
  ::SendMessageW(combo_, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive.c_str()));
}

}  // namespace torvane
