// The control's format sequence: the camera control panel with motion
// reporting paused and the camera button disabled, and the new capture
// width reported when it changed.
#include "core/dialogs/PortalLaunchers.h"

#include "PortalContract.h"
#include "core/session/MotionReportPause.h"

namespace portal {
namespace {

constexpr LONG kAssumedWidth = 320;
constexpr LONG kAssumedHeight = 240;

struct FormatSize {
  LONG width = kAssumedWidth;
  LONG height = kAssumedHeight;
};

FormatSize ReadSize(CameraSession& session) {
  FormatSize size;
  LONG bitDepth = 0, fourCC = 0;
  session.ReadFormat(&size.width, &size.height, &bitDepth, &fourCC);
  return size;
}

}  // namespace

bool PortalLaunchers::RunFormatSequence() {
  CameraSession& session = parts_.session;
  if (!session.HasEngine() || !session.State().allowFormatSequence || session.RecordingAnywhere()) return false;
  // A client may cancel the sequence by clearing the flag.
  LONG proceed = 1;
  parts_.events.Notify(tovra2::kNotifyFormatSequence, 0, 0, reinterpret_cast<LONG_PTR>(&proceed));
  if (proceed == 0) return false;
  MotionReportPause pause(session, parts_.events);
  if (session.IsCameraConnected()) pause.Begin();
  parts_.bar.EnablePane(kPaneCameraButton, false);
  const FormatSize before = ReadSize(session);
  LaunchControlPanel();
  const FormatSize after = ReadSize(session);
  if (after.width != before.width) parts_.events.Notify(tovra2::kNotifyFormatChanged, after.width, after.height, 0);
  pause.Restore();
  parts_.bar.EnablePane(kPaneCameraButton, true);
  parts_.view.TakeFocus();
  return true;
}

}  // namespace portal
