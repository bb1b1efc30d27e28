// The status indicators of a camera that has them: the switch, the level
// (which also keeps the status timer running), the mode and the value,
// read from the engine and shown in the panes of the indicator bar; the
// mode and value panes' clicks.
#include "ui/bar/PortalPaneBar.h"

#include <string>

#include "engine/interface/EngineCommands.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/menus/PopupMenu.h"

namespace portal {

using namespace engine;

bool PortalPaneBar::Indicators(bool forced) {
  if (!session_.HasEngine()) return false;
  CameraRecord remembered;
  if (!session_.ReadRememberedCamera(&remembered, nullptr) || remembered.type != kCameraTypeIndicators) return false;
  auto fresh = [forced](Indicator& shown, LONG value) {
    if (!forced && shown.known && shown.value == value) return false;
    shown = {true, value};
    return true;
  };
  bool changed = false;
  LONG value = 0;
  if (session_.ReadProperty(kPropIndicatorSwitch, &value) && fresh(switch_, value)) {
    surface_.SetIcon(kPaneSwitch, value ? IDI_SWITCH_ON : IDI_SWITCH_OFF);
    surface_.SetTooltip(kPaneSwitch, Text(value ? IDS_TIP_SWITCH_ON : IDS_TIP_SWITCH_OFF));
    changed = true;
  }
  if (session_.ReadProperty(kPropIndicatorLevel, &value)) {
    // A level is read again every second while one shows.
    if (value != 0 && !timer_.Running()) timer_.Start();
    if (value == 0) timer_.Stop();
    if (fresh(level_, value)) {
      const LevelLook look = LevelLookOf(value);
      surface_.SetPicture(kPaneLevel, look.bitmap);
      surface_.SetIcon(kPaneLevel, look.icon);
      surface_.SetTooltip(kPaneLevel, Text(look.tooltip));
      changed = true;
    }
  }
  if (session_.Engine()->InquireLong(kCmdMode, kModeRead, &value) && fresh(mode_, value != 0)) {
    surface_.SetIcon(kPaneMode, value ? IDI_MODE_ON : IDI_MODE_OFF);
    surface_.SetTooltip(kPaneMode, Text(value ? IDS_TIP_MODE_ON : IDS_TIP_MODE_OFF));
    changed = true;
  }
  if (session_.ReadProperty(kPropIndicatorValue, &value)) {
    if (value == 0) value = 1;  // the engine's 0 stands for 1
    if (fresh(value_, value)) {
      surface_.SetText(kPaneValue, std::to_wstring(value));
      surface_.SetTooltip(kPaneValue, Text(IDS_TIP_VALUE));
      changed = true;
    }
  }
  return changed;
}

// The pane shows the new mode at once; the engine is told afterwards.
void PortalPaneBar::ToggleMode() {
  if (!session_.HasEngine()) return;
  const bool on = !(mode_.known && mode_.value != 0);
  mode_ = {true, on};
  surface_.SetIcon(kPaneMode, on ? IDI_MODE_ON : IDI_MODE_OFF);
  surface_.SetTooltip(kPaneMode, Text(on ? IDS_TIP_MODE_ON : IDS_TIP_MODE_OFF));
  surface_.Repaint();
  session_.Engine()->ExecuteBare(kCmdMode, on ? kModeOn : kModeOff);
}

void PortalPaneBar::OpenValueMenu() {
  if (!session_.HasEngine()) return;
  MenuModel menu;
  if (!menus_.Load(IDM_INDICATOR_VALUE, &menu)) return;
  const UINT chosen = menus_.Track(menu, view_.Window(), PaneMenuArea(*this, kPaneValue));
  if (chosen <= IDM_INDICATOR_VALUE_BASE) return;  // cancelled
  const LONG value = static_cast<LONG>(chosen - IDM_INDICATOR_VALUE_BASE);
  if (!session_.WriteProperty(kPropIndicatorValue, value)) return;
  value_ = {true, value};
  surface_.SetText(kPaneValue, std::to_wstring(value));
  surface_.Repaint();
}

}  // namespace portal
