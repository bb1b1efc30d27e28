// TakeSnapShot: the instant snapshot. The control writes the temporary
// picture, the image view shows it, the prompt asks whether to save it and
// the save dialog where; a name ending in ".jpg" is converted, any other
// receives the bitmap itself.
#include <windows.h>

#include <commdlg.h>

#include "FileErrors.h"
#include "Global.h"
#include "PictureFlows.h"
#include "PictureSteps.h"
#include "SaveFileDialog.h"

namespace torvane {

namespace {

constexpr wchar_t kSaveQuestion[] =
    L"Do you want to save the snap-shot shown in the 'Captured image' window?";

void HideImageView(ErrorScope& scope, CaptureWindow& window) {
  scope.Run([&] { window.ShowImage(false); });
  scope.Run([&] { window.ShowFileName(false); });
  scope.Run([&] { window.ShowImageLabel(false); });
}

// The chosen name receives the picture; true when it did.
bool SaveChosen(FlowContext& context, ErrorScope& scope, const std::wstring& name) {
  if (EndsWithJpegExtension(name)) {
    Global().LastFileName = name;
    return SaveAsJpeg(context);
  }
  return scope.Run([&] { MoveReplacing(context.temporaryPicture, name); });
}

void DeleteTemporaryPicture(ErrorScope& scope, const std::wstring& path) {
  scope.Run([&] {
    try {
      DeleteFileOrThrow(path);
    } catch (const AppError& error) {
      if (error.number != kErrFileNotFound) throw;  // moved away by the rename
    }
  });
}

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

  std::wstring& answer = Global().PromptAnswer;
  scope.Run([&] { answer = context.prompter.MessBox(kSaveQuestion, L"?", L"Y/N", L"Save?"); });
  if (answer == L"&Yes") {
    std::optional<std::wstring> name;
    scope.Run([&] { name = context.prompter.SaveFileName(SnapshotSaveDialog()); });
    if (!name) {
      // Cancelled: the picture stays in the temporary file and the status
      // keeps "Snap-shot taken".
      HideImageView(scope, window);
      return;
    }
    if (!SaveChosen(context, scope, *name)) {
      // Not saved: no success is reported and the temporary picture is
      // kept; the failure has been logged or shown.
      scope.Run([&] { window.SetStatusText(2, L""); });
      return;
    }
    scope.Run([&] { window.SetFileNameText(kSavedTo + *name); });
    scope.Run([&] { window.ShowFileName(true); });
  } else {
    HideImageView(scope, window);
  }
  DeleteTemporaryPicture(scope, picture);
  scope.Run([&] { window.SetStatusText(2, L""); });
}

}  // namespace torvane
