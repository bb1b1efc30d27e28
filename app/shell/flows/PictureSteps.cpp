// Shared steps of the picture flows.
#include "PictureSteps.h"

#include <optional>

#include "FileErrors.h"
#include "Global.h"
#include "PictureFlows.h"

namespace torvane {

bool RequestPicture(ErrorScope& scope, CaptureWindow& window, const std::wstring& path) {
  long result = 0;
  const bool ran = scope.Run([&] { result = window.vidPort().PictureToFile(0, 24, path, L""); });
  return ran && result == 1;
}

void LoadSnapshotOrThrow(CaptureWindow& window, const std::wstring& path) {
  if (window.LoadSnapshot(path)) return;
  if (FileExists(path)) throw AppError{kErrInvalidPicture, L"Invalid picture"};
  throw FileError(ERROR_FILE_NOT_FOUND);
}

void MoveReplacing(const std::wstring& from, const std::wstring& to) {
  try {
    RenameFile(from, to);
  } catch (const AppError& error) {
    if (error.number != kErrFileExists) throw;
    // The save dialog has asked the user to confirm the replacement.
    DeleteFileOrThrow(to);
    RenameFile(from, to);
  }
}

bool MoveUnlessExists(const std::wstring& from, const std::wstring& to) {
  try {
    RenameFile(from, to);
    return true;
  } catch (const AppError& error) {
    if (error.number != kErrFileExists) throw;
    return false;
  }
}

bool EndsWithJpegExtension(const std::wstring& name) {
  const std::wstring extension = kJpegExtension;
  return name.size() >= extension.size() &&
         name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

namespace {

void HideImageView(ErrorScope& scope, CaptureWindow& window) {
  scope.Run([&] { window.ShowImage(false); });
  scope.Run([&] { window.ShowFileName(false); });
  scope.Run([&] { window.ShowImageLabel(false); });
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

// The chosen name receives the temporary picture; true when it did.
bool SaveChosen(FlowContext& context, ErrorScope& scope, const std::wstring& name) {
  if (EndsWithJpegExtension(name)) {
    Global().LastFileName = name;
    return SaveAsJpeg(context);
  }
  return scope.Run([&] { MoveReplacing(context.temporaryPicture, name); });
}

}  // namespace

void OfferToSave(FlowContext& context, ErrorScope& scope, CaptureWindow& window, const std::wstring& question) {
  std::wstring& answer = Global().PromptAnswer;
  scope.Run([&] { answer = context.prompter.MessBox(question, L"?", L"Y/N", L"Save?"); });
  if (answer == L"&Yes") {
    std::optional<std::wstring> name;
    scope.Run([&] { name = context.prompter.SaveFileName(SnapshotSaveDialog()); });
    if (!name) {
      HideImageView(scope, window);
      return;
    }
    if (!SaveChosen(context, scope, *name)) {
      scope.Run([&] { window.SetStatusText(2, L""); });
      return;
    }
    scope.Run([&] { window.SetFileNameText(kSavedTo + *name); });
    scope.Run([&] { window.ShowFileName(true); });
  } else {
    HideImageView(scope, window);
  }
  DeleteTemporaryPicture(scope, context.temporaryPicture);
  scope.Run([&] { window.SetStatusText(2, L""); });
}

}  // namespace torvane
