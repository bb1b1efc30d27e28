// The resolution menu.
#include "ui/menus/ResolutionPopup.h"

#include "PortalContract.h"
#include "core/MemberCall.h"
#include "core/session/MotionReportPause.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ModuleState.h"
#include "server/ResourceModule.h"

namespace portal {

struct ResolutionItem {
  UINT id;
  Resolution size;
  LONG width, height;
  bool stillMode;  // the sizes above 640 wide are high-resolution stills
};

namespace {

constexpr ResolutionItem kItems[] = {
    {IDM_RESOLUTION_160X120, Resolution::k160x120, 160, 120, false},
    {IDM_RESOLUTION_240X180, Resolution::k240x180, 240, 180, false},
    {IDM_RESOLUTION_320X240, Resolution::k320x240, 320, 240, false},
    {IDM_RESOLUTION_640X480, Resolution::k640x480, 640, 480, false},
    {IDM_RESOLUTION_800X600, Resolution::k800x600, 800, 600, true},
    {IDM_RESOLUTION_1024X768, Resolution::k1024x768, 1024, 768, true},
    {IDM_RESOLUTION_1280X960, Resolution::k1280x960, 1280, 960, true},
    {IDM_RESOLUTION_1600X1024, Resolution::k1600, 1600, 1024, true},
};

const ResolutionItem* ItemWithId(UINT id) {
  for (const ResolutionItem& item : kItems) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

// The item of a capture width; 1600 wide has no item to mark.
UINT ItemOfWidth(LONG width) {
  for (const ResolutionItem& item : kItems) {
    if (item.width == width && item.size != Resolution::k1600) return item.id;
  }
  return 0;
}

}  // namespace

void ResolutionPopup::Open() {
  CameraSession& session = parts_.session;
  if (!session.IsCameraConnected() || session.RecordingAnywhere()) return;
  MenuModel menu;
  if (!parts_.menus.Load(IDM_RESOLUTION, &menu)) return;
  Format current;
  if (!session.ReadFormat(&current.width, &current.height, &current.bitDepth, &current.fourCC)) return;
  if (!Trim(&menu)) return;
  const UINT defaultId = ItemOfWidth(current.width);
  if (menu.Contains(defaultId)) menu.defaultId = defaultId;
  UINT chosen = 0;
  {
    MenuOpenScope open;
    chosen = parts_.menus.Track(menu, parts_.view.Window(), PaneMenuArea(parts_.bar, kPaneResolutionButton));
  }
  if (const ResolutionItem* item = ItemWithId(chosen)) AsMemberCall([&] { Apply(*item, current); });
}

bool ResolutionPopup::Trim(MenuModel* menu) {
  const ConnectionState& state = parts_.session.State();
  for (const ResolutionItem& item : kItems) {
    const size_t size = static_cast<size_t>(item.size);
    if (!state.menuEnabled[size] || !state.formatSupported[size]) menu->Remove(item.id);
  }
  // A camera that takes high-resolution stills offers 1280 x 960 as a
  // still size, last.
  if (state.stillCapable && menu->Remove(IDM_RESOLUTION_1280X960)) {
    menu->AddItem(IDM_RESOLUTION_1280X960, LoadResourceString(IDS_STILL_1280));
  }
  // 640 x 480 is offered only when the current camera can be described.
  engine::CameraRecord camera;
  return !menu->Contains(IDM_RESOLUTION_640X480) || parts_.session.ReadCurrentCamera(&camera);
}

void ResolutionPopup::Apply(const ResolutionItem& item, const Format& current) {
  CameraSession& session = parts_.session;
  session.State().highResolutionStillMode = item.stillMode;
  if (item.width == current.width && item.height == current.height) return;
  MotionReportPause pause(session, parts_.events);
  pause.Begin();
  if (!session.SetFormat(item.width, item.height, current.bitDepth, current.fourCC)) {
    // The camera may have taken the size although it answered otherwise.
    Format now;
    if (!session.ReadFormat(&now.width, &now.height, &now.bitDepth, &now.fourCC) || now.width != item.width ||
        now.height != item.height) {
      pause.Restore();
      return;
    }
  }
  if (parts_.hook.IsOpen()) parts_.hook.Resize(item.width, item.height);
  parts_.view.Repaint();
  parts_.bar.Redraw();
  parts_.view.LayOut();
  parts_.events.Notify(tovra2::kNotifyFormatChanged, item.width, item.height, 0);
  pause.Restore();
}

}  // namespace portal
