// The control's popup menus as their components see them: a menu is a
// list of items (text, check mark) with one default item, loaded from the
// resource module or built in code, shown at a screen area it keeps clear,
// answering with the chosen item. SystemPopupMenu shows real menus; tests
// use a fake that records the menus and answers from a script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/bar/PaneBar.h"

namespace portal {

struct MenuItem {
  UINT id = 0;  // 0 for a separator
  std::wstring text;
  bool checked = false;
};

struct MenuModel {
  std::vector<MenuItem> items;
  UINT defaultId = 0;  // 0: no default item

  void AddItem(UINT id, std::wstring text, bool checked = false) { items.push_back({id, std::move(text), checked}); }
  void AddSeparator() { items.push_back({}); }
  bool Contains(UINT id) const;
  // Removes the item with that id; false when there is none.
  bool Remove(UINT id);
};

class PopupMenu {
 public:
  // The first sub-menu of a menu resource of the resource module; false
  // when the module or the menu is missing.
  virtual bool Load(UINT resourceId, MenuModel* menu) = 0;
  // Shows the menu for owner next to keepClear (screen coordinates,
  // vertical alignment) and returns the chosen item's id, 0 when the menu
  // was cancelled.
  virtual UINT Track(const MenuModel& menu, HWND owner, const RECT& keepClear) = 0;

 protected:
  ~PopupMenu() = default;
};

// Where a pane's menu opens: the pane's rectangle, or the mouse position
// when there is no bar to ask.
RECT PaneMenuArea(const PaneBar& bar, UINT pane);

class SystemPopupMenu final : public PopupMenu {
 public:
  bool Load(UINT resourceId, MenuModel* menu) override;
  UINT Track(const MenuModel& menu, HWND owner, const RECT& keepClear) override;
};

}  // namespace portal
