// DirFolder: the folder list of the schedule dialogs. It shows the current
// folder's path from its drive's root down, each an open folder, and the
// folder's own subfolders below it, indented by depth; a double-click opens
// an entry. Every change of the path, by code or by the user, runs the
// change handler (StoreFolder follows it).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace torvane {

struct FolderEntry {
  std::wstring path;  // full path
  std::wstring text;  // as shown: "c:\" for a root, else the folder's name
  int depth = 0;
  bool open = false;  // on the way to the current folder (or the folder itself)
};

class FolderList {
 public:
  // The item data of an entry on the way to the current folder (0 for a
  // subfolder).
  static constexpr LPARAM kOpenEntry = 1;

  using ChangeHandler = std::function<void(const std::wstring& path)>;

  void Attach(HWND listBox, ChangeHandler onChange);
  const std::wstring& Path() const { return path_; }
  // Opens a folder, or a drive given as "x:" (its current folder). Error 68
  // when the drive is missing or not ready, 76 when there is no such
  // folder; the list then keeps its path.
  void SetPath(const std::wstring& path);
  // LBN_DBLCLK: opens the selected entry (errors as SetPath).
  void OpenSelected();
  // WM_DRAWITEM of the list box; false for another control's item.
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

  // The full path of an existing folder or drive, as SetPath takes it.
  static std::wstring ResolveFolder(const std::wstring& path);
  // What the list shows for a resolved folder.
  static std::vector<FolderEntry> EntriesFor(const std::wstring& folder);

 private:
  void Fill();

  HWND list_ = nullptr;
  std::wstring path_;
  ChangeHandler onChange_;
  std::vector<FolderEntry> entries_;
};

}  // namespace torvane
