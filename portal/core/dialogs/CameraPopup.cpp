// The camera menu.
#include "core/dialogs/CameraPopup.h"

#include <algorithm>

#include "PortalContract.h"
#include "core/MemberCall.h"
#include "core/session/MotionReportPause.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ModuleState.h"
#include "server/ResourceModule.h"

namespace portal {

using engine::CameraRecord;

void CameraPopup::Open() {
  CameraSession& session = parts_.session;
  LONG count = 0;
  if (session.RecordingAnywhere() || !session.CameraCount(&count) || count < 1) return;
  MotionReportPause pause(session, parts_.events);
  pause.Begin();
  CameraRecord current;
  const CameraRecord* known = session.ReadCurrentCamera(&current) ? &current : nullptr;
  const MenuModel menu = Build(count, known);
  const UINT chosen =
      parts_.menus.Track(menu, parts_.view.Window(), PaneMenuArea(parts_.bar, kPaneCameraButton));
  Choose(chosen, known);
  // Motion reporting comes back on every path: after a switch, but also
  // when the menu was cancelled or the current camera chosen again.
  pause.Restore();
}

MenuModel CameraPopup::Build(LONG count, const CameraRecord* current) {
  CameraSession& session = parts_.session;
  MenuModel menu;
  const LONG engineIndex = session.CurrentIndex();
  for (LONG index = 0; index < std::min(count, kMaxMenuCameras); ++index) {
    CameraRecord camera;
    if (!session.ReadCamera(index, &camera)) continue;
    // The id names the index itself, so that a camera whose record cannot
    // be read shifts no other camera's item.
    const UINT id = kFirstCameraItem + static_cast<UINT>(index);
    menu.AddItem(id, session.DisplayName(camera), index == engineIndex);
    if (current && menu.defaultId == 0 && SameCamera(camera, *current)) menu.defaultId = id;
  }
  menu.AddSeparator();
  menu.AddItem(kControlPanelItem, LoadResourceString(IDS_CAMERA_MENU_CONTROL_PANEL));
  if (OffersShowHide()) menu.AddItem(kShowHideItem, LoadResourceString(IDS_CAMERA_MENU_SHOW_HIDE));
  return menu;
}

// The camera answers the show/hide feature inquiry and its property 31
// says off or on.
bool CameraPopup::OffersShowHide() {
  CameraSession& session = parts_.session;
  LONG showHide = 0;
  if (!session.ReadProperty(engine::kPropShowHide, &showHide)) return false;
  const engine::FeatureInquiryRecord feature = {engine::kShowHideFeature, 256, 256};
  if (!session.Engine()->InquireAbout(engine::kCmdFeature, engine::kNoSubCode, feature)) return false;
  return showHide == 0 || showHide == 1;
}

void CameraPopup::Choose(UINT item, const CameraRecord* current) {
  if (item >= kFirstCameraItem && item < kFirstCameraItem + kMaxMenuCameras) {
    const LONG index = static_cast<LONG>(item - kFirstCameraItem);
    CameraRecord chosen;
    if (!parts_.session.ReadCamera(index, &chosen)) return;
    if (!current || !SameCamera(chosen, *current)) SwitchTo(index);
  } else if (item == kControlPanelItem) {
    AsMemberCall([this] { parts_.launchers.LaunchControlPanel(); });
  } else if (item == kShowHideItem) {
    DWORD recipients = BSM_APPLICATIONS;
    ::BroadcastSystemMessageW(BSF_POSTMESSAGE, &recipients, ModuleState::ShowHideMessage(), 1, 0);
  }
}

void CameraPopup::SwitchTo(LONG index) {
  CameraSession& session = parts_.session;
  NotificationSink& events = parts_.events;
  const LONG previewWasOn = session.PreviewEnabled();
  events.Notify(tovra2::kNotifyCameraSwitching, index, 0, 0);
  const bool connected = AsMemberCall([&] {
    session.Disconnect();
    return session.Connect(index);
  });
  if (!connected) {
    events.Notify(tovra2::kNotifyCameraSwitchFailed, index, 0, 0);
    return;
  }
  events.Notify(tovra2::kNotifyCameraChanged, index, 0, 0);
  if (previewWasOn) AsMemberCall([&] { return session.EnablePreview(1); });
}

}  // namespace portal
