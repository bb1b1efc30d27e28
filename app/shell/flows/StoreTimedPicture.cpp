// StoreTimedPicture: one picture stored without asking under a time-stamped
// name (StoreFolder, FilePrefix, the current second, the extension) and
// shown in the image view.
#include "Global.h"
#include "PictureFlows.h"
#include "PictureSteps.h"
#include "TimeStampName.h"

namespace torvane {

bool StoreTimedPicture(FlowContext& context, CaptureWindow& window, const std::wstring& extension) {
  GlobalState& g = Global();
  ErrorScope scope(context, procedures::kStoreTimedPicture, [] { return Global().LastFileName; });

  scope.Run([&] { g.LastFileName = TimeStampedFileName(g.StoreFolder, g.FilePrefix, context.clock(), extension); });
  // A failed request stores nothing: the temporary file may hold an older
  // picture, which must not appear under a new time.
  if (!RequestPicture(scope, window, context.temporaryPicture)) return false;

  bool stored = false;
  if (extension == kJpegExtension) {
    stored = SaveAsJpeg(context);
  } else {
    // A picture of the same second is kept; the new one stays in the
    // temporary file.
    scope.Run([&] { stored = MoveUnlessExists(context.temporaryPicture, g.LastFileName); });
  }
  scope.Run([&] { LoadSnapshotOrThrow(window, g.LastFileName); });
  scope.Run([&] { window.SetFileNameText(g.LastFileName); });
  scope.Run([&] { window.ShowFileName(true); });
  scope.Run([&] { window.ShowImageLabel(true); });
  scope.Run([&] { window.Repaint(); });
  return stored;
}

}  // namespace torvane
