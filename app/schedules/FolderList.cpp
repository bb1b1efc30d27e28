// The folder list.
#include "FolderList.h"

#include <algorithm>
#include <cwctype>

#include "FileErrors.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"

namespace torvane {

namespace {

constexpr int kIndentPixels = 6;

AppError DeviceUnavailable() { return AppError{kErrDeviceUnavailable, L"Device unavailable"}; }
AppError PathNotFound() { return AppError{kErrPathNotFound, L"Path not found"}; }

bool IsDriveOnly(const std::wstring& path) { return path.size() == 2 && path[1] == L':'; }

// "x:\" of a drive path; empty for other (network) paths.
std::wstring DriveRoot(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0])) return path.substr(0, 2) + L"\\";
  return std::wstring();
}

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

std::vector<std::wstring> Subfolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  const std::wstring pattern = (folder.back() == L'\\' ? folder : folder + L"\\") + L"*";
  common::UniqueFind find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return names;
  do {
    const std::wstring name = data.cFileName;
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & skipped) && name != L"." &&
        name != L"..") {
      names.push_back(name);
    }
  } while (::FindNextFileW(find.get(), &data));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return common::ToLower(a) < common::ToLower(b); });
  return names;
}

}  // namespace

std::wstring FolderList::ResolveFolder(const std::wstring& path) {
  const std::wstring root = DriveRoot(path);
  if (!root.empty()) {
    if (::GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) throw DeviceUnavailable();
    if (::GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_NOT_READY || error == ERROR_INVALID_DRIVE) throw DeviceUnavailable();
    }
  }
  // "x:" alone is that drive's current folder, as the system keeps it.
  wchar_t full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) throw PathNotFound();
  const std::wstring folder = WithoutTrailingSeparator(full);
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (IsDriveOnly(path)) throw DeviceUnavailable();
    throw PathNotFound();
  }
  return folder;
}

std::vector<FolderEntry> FolderList::EntriesFor(const std::wstring& folder) {
  std::vector<FolderEntry> entries;
  std::wstring root = DriveRoot(folder);
  if (root.empty()) root = folder;
  root[0] = static_cast<wchar_t>(std::towlower(root[0]));
  entries.push_back({root, root, 0, true});
  std::wstring walked = root;
  size_t start = root.size();
  while (start < folder.size()) {
    const size_t end = std::min(folder.find(L'\\', start), folder.size());
    const std::wstring name = folder.substr(start, end - start);
    if (!name.empty()) {
      walked += (walked.back() == L'\\' ? L"" : L"\\") + name;
      entries.push_back({walked, name, static_cast<int>(entries.size()), true});
    }
    start = end + 1;
  }
  const int childDepth = static_cast<int>(entries.size());
  const std::wstring parent = walked.back() == L'\\' ? walked : walked + L"\\";
  for (const std::wstring& name : Subfolders(folder)) entries.push_back({parent + name, name, childDepth, false});
  return entries;
}

void FolderList::Attach(HWND listBox, ChangeHandler onChange) {
  list_ = listBox;
  onChange_ = std::move(onChange);
  path_.clear();
  entries_.clear();
}

void FolderList::SetPath(const std::wstring& path) {
  const std::wstring folder = ResolveFolder(path);
  path_ = folder;
  entries_ = EntriesFor(folder);
  Fill();
  if (onChange_) onChange_(path_);
}

void FolderList::OpenSelected() {
  const LRESULT index = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return;
  SetPath(entries_[static_cast<size_t>(index)].path);
}

void FolderList::Fill() {
  if (!list_) return;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  int current = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const LRESULT item = ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries_[i].text.c_str()));
    ::SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(item), entries_[i].open ? kOpenEntry : 0);
    if (entries_[i].open) current = static_cast<int>(i);
  }
  ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

bool FolderList::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != list_) return false;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < entries_.size()) {
    const FolderEntry& entry = entries_[item.itemID];
    RECT text = item.rcItem;
    text.left += 2 + entry.depth * kIndentPixels;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // An open folder is marked by a minus, one that can be opened by a plus.
    const std::wstring shown = (entry.open ? L"- " : L"+ ") + entry.text;
    ::DrawTextW(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace torvane
