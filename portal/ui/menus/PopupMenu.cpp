// Popup menus over the system's menus: resource menus read into a model,
// models shown with TrackPopupMenuEx.
#include "ui/menus/PopupMenu.h"

#include <algorithm>

#include "common/UniqueHandle.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

bool ReadItem(HMENU menu, UINT position, MenuItem* item) {
  wchar_t text[256] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = ARRAYSIZE(text);
  if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) return false;
  if (info.fType & MFT_SEPARATOR) {
    *item = {};
  } else {
    *item = {info.wID, text, (info.fState & MFS_CHECKED) != 0};
  }
  return true;
}

common::UniqueMenu BuildMenu(const MenuModel& model) {
  common::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  for (const MenuItem& item : model.items) {
    if (item.id == 0) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      ::AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), item.id, item.text.c_str());
    }
  }
  if (model.defaultId != 0) ::SetMenuDefaultItem(menu.get(), model.defaultId, FALSE);
  return menu;
}

}  // namespace

bool MenuModel::Contains(UINT id) const {
  return std::any_of(items.begin(), items.end(), [id](const MenuItem& item) { return item.id == id; });
}

bool MenuModel::Remove(UINT id) {
  const auto found = std::find_if(items.begin(), items.end(), [id](const MenuItem& item) { return item.id == id; });
  if (id == 0 || found == items.end()) return false;
  items.erase(found);
  return true;
}

RECT PaneMenuArea(const PaneBar& bar, UINT pane) {
  RECT area = {};
  if (bar.PaneScreenRect(pane, &area)) return area;
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  return {cursor.x, cursor.y, cursor.x, cursor.y};
}

bool SystemPopupMenu::Load(UINT resourceId, MenuModel* model) {
  const HMODULE resources = ModuleState::ResourceModule();
  if (!resources) return false;
  common::UniqueMenu menu(::LoadMenuW(resources, MAKEINTRESOURCEW(resourceId)));
  const HMENU first = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;
  if (!first) return false;
  MenuModel loaded;
  const int count = ::GetMenuItemCount(first);
  for (int i = 0; i < count; ++i) {
    MenuItem item;
    if (ReadItem(first, static_cast<UINT>(i), &item)) loaded.items.push_back(std::move(item));
  }
  *model = std::move(loaded);
  return true;
}

UINT SystemPopupMenu::Track(const MenuModel& model, HWND owner, const RECT& keepClear) {
  common::UniqueMenu menu = BuildMenu(model);
  if (!menu) return 0;
  TPMPARAMS params = {sizeof(params), keepClear};
  const BOOL chosen = ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_VERTICAL, keepClear.left, keepClear.bottom,
                                         owner, &params);
  return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}

}  // namespace portal
