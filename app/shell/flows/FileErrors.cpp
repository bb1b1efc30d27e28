// Win32 file errors as the application's numbered errors.
#include "FileErrors.h"

namespace torvane {

AppError FileError(DWORD win32Error) {
  switch (win32Error) {
    case ERROR_FILE_NOT_FOUND: return {kErrFileNotFound, L"File not found"};
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME: return {kErrPathNotFound, L"Path not found"};
    case ERROR_INVALID_NAME: return {kErrBadFileName, L"Bad file name or number"};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return {kErrFileExists, L"File already exists"};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {kErrDiskFull, L"Disk full"};
    case ERROR_NOT_READY: return {kErrDeviceUnavailable, L"Device unavailable"};
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return {kErrPermissionDenied, L"Permission denied"};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return {kErrOutOfMemory, L"Out of memory"};
    default: return {kErrPathFileAccess, L"Path/File access error"};
  }
}

void RenameFile(const std::wstring& from, const std::wstring& to) {
  // The temporary picture lives in the user's temporary folder, often on
  // another drive than the chosen target: copying is allowed.
  if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED)) throw FileError(::GetLastError());
}

void DeleteFileOrThrow(const std::wstring& path) {
  if (!::DeleteFileW(path.c_str())) throw FileError(::GetLastError());
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileLength(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) throw FileError(::GetLastError());
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(ERROR_FILE_NOT_FOUND);
  return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace torvane
