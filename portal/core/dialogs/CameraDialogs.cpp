// ShowCameraDlg.
#include "core/dialogs/CameraDialogs.h"

#include "PortalContract.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

bool CameraDialogs::Show(LONG which) {
  switch (which) {
    case tovra2::kCameraDlgEngine:
      // Only a connected camera has a dialog to show.
      if (session_.CurrentIndex() != tovra2::kNoCameraIndex && session_.HasEngine()) {
        session_.Engine()->ExecuteBare(engine::kCmdDialog, engine::kDialogCamera);
      }
      return true;
    case tovra2::kCameraDlgControlPanel:
      launchers_.LaunchControlPanel();
      return true;
    default:
      return launchers_.RunFormatSequence();
  }
}

}  // namespace portal
