// SaveAsJpeg: the temporary bitmap to the JPEG file named LastFileName,
// through cImage and cJpeg. Its own handler: a missing old file is fine;
// any other error is shown as "number description" in a plain message box
// and ends the conversion.
#include <new>

#include "FileErrors.h"
#include "Global.h"
#include "JpegConversion.h"
#include "JpegError.h"
#include "PictureFlows.h"
#include "common/WaitCursor.h"
#include "common/Strings.h"

namespace torvane {

namespace {

JpegSettings SnapshotJpegSettings() {
  JpegSettings settings;
  settings.quality = 90;
  for (LONG& factor : settings.sampling) factor = 1;  // no chroma subsampling
  return settings;
}

AppError ConversionError(ConversionResult result, const std::wstring& bitmap, const std::wstring& target) {
  switch (result) {
    case ConversionResult::kUnreadableBitmap:
      return FileExists(bitmap) ? AppError{kErrInvalidPicture, L"Invalid picture"} : FileError(ERROR_FILE_NOT_FOUND);
    case ConversionResult::kSamplingFailed:
      return {kErrOutOfMemory, L"Out of memory"};
    default:
      // The encoder never writes over a file: the old one could not go.
      return target.empty() ? AppError{kErrBadFileName, L"Bad file name or number"}
                            : AppError{kErrFileExists, L"File already exists"};
  }
}

void Convert(const std::wstring& bitmap, const std::wstring& target) {
  if (!::DeleteFileW(target.c_str())) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) throw FileError(error);
  }
  const ConversionResult result = ConvertBitmapToJpeg(bitmap, target, SnapshotJpegSettings());
  if (result != ConversionResult::kSaved) throw ConversionError(result, bitmap, target);
}

}  // namespace

bool SaveAsJpeg(FlowContext& context) {
  common::WaitCursor wait;
  AppError failure{};
  try {
    Convert(context.temporaryPicture, Global().LastFileName);
    return true;
  } catch (const AppError& error) {
    failure = error;
  } catch (const jpeg::JpegError& error) {
    failure = AppError{error.Number(), common::AnsiToWide(error.Description())};
  } catch (const std::bad_alloc&) {
    failure = AppError{kErrOutOfMemory, L"Out of memory"};
  }
  // The write failed: say so, rather than let the caller report a saved file.
  context.prompter.SystemMessage(failure.MessageText());
  return false;
}

}  // namespace torvane
