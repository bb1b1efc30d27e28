// The camera menu behind the bar's camera button: the cameras (the current
// one checked, the connected one the default), the camera control panel
// and, when the camera offers it, the show/hide command. Choosing another
// camera switches to it; motion reporting is paused while the menu is open
// and restored whatever the user chose.
#pragma once

#include <windows.h>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/dialogs/CameraMenu.h"
#include "core/dialogs/Launchers.h"
#include "core/session/CameraSession.h"
#include "ui/bar/PaneBar.h"
#include "ui/menus/PopupMenu.h"

namespace portal {

// Item ids: a camera's item is kFirstCameraItem + its index.
inline constexpr UINT kFirstCameraItem = 190;
inline constexpr LONG kMaxMenuCameras = 10;
inline constexpr UINT kControlPanelItem = 200;
inline constexpr UINT kShowHideItem = 201;

class CameraPopup final : public CameraMenu {
 public:
  struct Parts {
    CameraSession& session;
    Launchers& launchers;
    PaneBar& bar;
    PopupMenu& menus;
    WindowView& view;
    NotificationSink& events;
  };
  explicit CameraPopup(const Parts& parts) : parts_(parts) {}

  // Only while no client records and the engine knows a camera.
  void Open() override;

 private:
  MenuModel Build(LONG count, const engine::CameraRecord* current);
  bool OffersShowHide();
  void Choose(UINT item, const engine::CameraRecord* current);
  void SwitchTo(LONG index);

  Parts parts_;
};

}  // namespace portal
