// The directory test: path splitting, the free-space text and the probing
// of the target's folder.
#include "core/pictures/DirectoryTest.h"

#include "common/Strings.h"
#include "common/UniqueHandle.h"

namespace portal {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Upper-case in the ANSI code page, as the file system compares names.
std::string Upper(std::string text) {
  if (!text.empty()) ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The error of a failed volume query. A drive letter that names no drive
// reads as a missing path on some systems; it is an invalid drive.
DWORD VolumeError(const PathParts& parts) {
  const DWORD error = ::GetLastError();
  if (error == ERROR_PATH_NOT_FOUND && !parts.drive.empty() &&
      ::GetDriveTypeA((parts.drive + "\\").c_str()) == DRIVE_NO_ROOT_DIR) {
    return ERROR_INVALID_DRIVE;
  }
  return error;
}

}  // namespace

std::string PathParts::Directory() const { return drive + (folder.empty() ? std::string(".\\") : folder); }

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) {
    parts.drive = Upper(std::string(path.substr(0, 2)));
    path.remove_prefix(2);
  }
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsSeparator(path[i])) nameStart = i + 1;
  }
  parts.folder = std::string(path.substr(0, nameStart));
  const std::string_view fileName = path.substr(nameStart);
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) {
    parts.name = std::string(fileName);
  } else {
    parts.name = std::string(fileName.substr(0, dot));
    parts.extension = Upper(std::string(fileName.substr(dot)));
  }
  return parts;
}

std::wstring FreeSpaceText(ULONGLONG bytes, std::wstring_view separator) {
  const std::wstring digits = std::to_wstring(bytes);
  std::wstring text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const std::size_t remaining = digits.size() - i;
    if (i > 0 && remaining % 3 == 0) text += separator;
    text += digits[i];
  }
  return text;
}

DirectoryCode CodeForFolderError(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
      return DirectoryCode::kNotAccessible;
    case ERROR_WRITE_PROTECT:
      return DirectoryCode::kWriteProtected;
    // A folder that does not exist is told as such rather than as an
    // unknown failure: the volume and attribute queries are the first to
    // notice it.
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
      return DirectoryCode::kPathNotFound;
    default:
      return DirectoryCode::kOtherError;
  }
}

DirectoryCode CodeForProbeError(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND: return DirectoryCode::kPathNotFound;
    case ERROR_ACCESS_DENIED: return DirectoryCode::kNotAccessible;
    case ERROR_WRITE_PROTECT: return DirectoryCode::kWriteProtected;
    default: return DirectoryCode::kOtherError;
  }
}

DirectoryTestResult RunDirectoryTest(std::string_view path, ULONGLONG bytesNeeded, std::wstring_view separator) {
  const PathParts parts = SplitPath(path);
  const std::string directory = parts.Directory();
  DirectoryTestResult result;
  result.drive = common::AnsiToWide(parts.drive);

  ULARGE_INTEGER available = {}, total = {}, free = {};
  if (!::GetDiskFreeSpaceExA(directory.c_str(), &available, &total, &free)) {
    result.code = CodeForFolderError(VolumeError(parts));
    return result;
  }
  result.freeSpaceText = FreeSpaceText(free.QuadPart, separator);

  if (::GetFileAttributesA(directory.c_str()) == INVALID_FILE_ATTRIBUTES) {
    result.code = CodeForFolderError(::GetLastError());
    return result;
  }
  const DWORD target = ::GetFileAttributesA(std::string(path).c_str());
  if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY)) {
    result.code = DirectoryCode::kReadOnlyTarget;
    return result;
  }

  const std::string probe = directory + kProbeFileName;
  {
    common::UniqueFile file(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      result.code = CodeForProbeError(::GetLastError());
      return result;
    }
  }
  ::DeleteFileA(probe.c_str());

  result.code = free.QuadPart < bytesNeeded ? DirectoryCode::kNoSpace : DirectoryCode::kOk;
  return result;
}

}  // namespace portal
