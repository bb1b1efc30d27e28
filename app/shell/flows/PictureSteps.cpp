// Shared steps of the picture flows.
#include "PictureSteps.h"

#include "FileErrors.h"
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

}  // namespace torvane
