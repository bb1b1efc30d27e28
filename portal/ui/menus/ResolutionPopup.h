// The resolution menu behind the bar's resolution button: the capture
// sizes the client enabled and the camera supports, the current one the
// default. Choosing another size changes the capture format with motion
// reporting paused, and clients hear the new size.
#pragma once

#include <windows.h>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/messages/VideoHook.h"
#include "core/session/CameraSession.h"
#include "ui/bar/PaneBar.h"
#include "ui/menus/PopupMenu.h"
#include "ui/menus/ResolutionMenu.h"

namespace portal {

struct ResolutionItem;

class ResolutionPopup final : public ResolutionMenu {
 public:
  struct Parts {
    CameraSession& session;
    VideoHook& hook;
    PaneBar& bar;
    PopupMenu& menus;
    WindowView& view;
    NotificationSink& events;
  };
  explicit ResolutionPopup(const Parts& parts) : parts_(parts) {}

  // Only with a connected camera and while no client records.
  void Open() override;

 private:
  struct Format {
    LONG width = 320;
    LONG height = 240;
    LONG bitDepth = 0;
    LONG fourCC = 0;
  };
  // The items the camera and the client allow; false when no menu may be
  // shown.
  bool Trim(MenuModel* menu);
  void Apply(const ResolutionItem& item, const Format& current);

  Parts parts_;
};

}  // namespace portal
