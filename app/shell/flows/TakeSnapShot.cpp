// TakeSnapShot: the instant snapshot. The control writes the temporary
// picture, the image view shows it, the prompt asks whether to save it and
// the save dialog where; a name ending in ".jpg" is converted, any other
// receives the bitmap itself.
#include <windows.h>

#include <commdlg.h>

#include "PictureFlows.h"
#include "PictureSteps.h"
#include "SaveFileDialog.h"

namespace torvane {

namespace {

constexpr wchar_t kSaveQuestion[] =
    L"Do you want to save the snap-shot shown in the 'Captured image' window?";

}  // namespace

SaveDialogRequest SnapshotSaveDialog() {
  SaveDialogRequest request;
  request.title = L"Save Image File.";
  request.filter = L"Bitmap (default)|*.bmp|JPEG (compressed)|*.jpg";
  request.defaultExtension = L"bmp";
  request.initialFolder = DocumentsFolder();
  request.flags = OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST;  // 3074
  return request;
}

void TakeSnapShot(FlowContext& context, CaptureWindow& window) {
  ErrorScope scope(context, procedures::kTakeSnapShot);
  const std::wstring& picture = context.temporaryPicture;
  bool connected = false;
  scope.Run([&] { window.ClearImageView(); });
  scope.Run([&] { connected = window.ButtonInit(); });
  if (!connected) return;
  // A failed request stops here: there is no picture to offer.
  if (!RequestPicture(scope, window, picture)) return;

  scope.Run([&] { window.ShowImage(true); });
  scope.Run([&] { LoadSnapshotOrThrow(window, picture); });
  scope.Run([&] { window.ShowImageLabel(true); });
  scope.Run([&] { window.SetStatusText(2, kSnapshotTaken); });

  OfferToSave(context, scope, window, kSaveQuestion);
}

}  // namespace torvane
