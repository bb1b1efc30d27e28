// File operations of the flows, failing with the application's own error
// numbers (53 file not found, 58 file already exists, 75 path/file access
// error, 76 path not found, ...), never with component (negative) numbers.
#pragma once

#include <windows.h>

#include <string>

#include "AppError.h"

namespace torvane {

enum : long {
  kErrOutOfMemory = 7,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrFileExists = 58,
  kErrDiskFull = 61,
  kErrDeviceUnavailable = 68,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrInvalidPicture = 481,
};

// The application's error for a Win32 error code of a file operation.
AppError FileError(DWORD win32Error);

// Moves a file, also to another drive; never replaces an existing target
// (that is error 58, for the caller to decide about).
void RenameFile(const std::wstring& from, const std::wstring& to);
void DeleteFileOrThrow(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The length in bytes of a file; error 53 when there is none.
long long FileLength(const std::wstring& path);

}  // namespace torvane
