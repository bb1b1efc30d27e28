// The save-file dialog.
#include "SaveFileDialog.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

namespace torvane {

std::wstring UserDocumentsPath() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
  return path;
}

std::wstring SystemDriveRoot() {
  wchar_t windows[MAX_PATH] = {};
  if (::GetWindowsDirectoryW(windows, MAX_PATH) >= 3) return std::wstring(windows, 3);  // "C:\"
  return L"c:\\";
}

std::wstring DocumentsFolder() {
  const std::wstring documents = UserDocumentsPath();
  if (!documents.empty() && ::PathIsDirectoryW(documents.c_str())) return documents;
  return SystemDriveRoot();
}

std::wstring DialogFilter(const std::wstring& barSeparated) {
  std::wstring filter = barSeparated;
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

std::optional<std::wstring> ShowSaveFileDialog(HWND owner, const SaveDialogRequest& request) {
  const std::wstring filter = DialogFilter(request.filter);
  std::vector<wchar_t> name(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.c_str();
  dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = request.flags | OFN_EXPLORER;
  if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(name.data());
}

}  // namespace torvane
