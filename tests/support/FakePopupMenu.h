// Popup menus for component tests: resource menus come from a table the
// test fills; each tracked menu is recorded as lines ("190 Desk checked
// default", "-" for a separator) with the process-wide menu-open flag and
// the area it opened at; Track answers the scripted choice (0: cancelled).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/Strings.h"
#include "server/ModuleState.h"
#include "ui/menus/PopupMenu.h"

namespace testing_support {

class FakePopupMenu final : public portal::PopupMenu {
 public:
  bool Load(UINT id, portal::MenuModel* menu) override {
    if (!resources.count(id)) return false;
    *menu = resources[id];
    return true;
  }
  UINT Track(const portal::MenuModel& menu, HWND, const RECT& keepClear) override {
    std::vector<std::string> lines;
    for (const portal::MenuItem& item : menu.items) {
      std::string line = item.id ? std::to_string(item.id) : "-";
      if (!item.text.empty()) line += " " + common::WideToAnsi(item.text);
      if (item.checked) line += " checked";
      if (item.id && item.id == menu.defaultId) line += " default";
      lines.push_back(line);
    }
    shown.push_back(lines);
    menuOpenWhileShown = portal::ModuleState::MenuOpen();
    area = keepClear;
    return choice;
  }

  std::map<UINT, portal::MenuModel> resources;
  UINT choice = 0;
  std::vector<std::vector<std::string>> shown;
  bool menuOpenWhileShown = false;
  RECT area = {};
};

}  // namespace testing_support
