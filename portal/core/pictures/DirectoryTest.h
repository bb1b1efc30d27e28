// The directory test that runs before a picture or a movie is written: can
// a file be created in the target's folder, is the target itself
// writable, and is there room for the bytes it will need. Path splitting
// and the free-space text are pure and kept apart from the file system
// probing so that they can be tested directly.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace portal {

// A target path taken apart: drive ("C:", upper-cased, empty for a UNC or
// relative path), folder (everything up to and including the last
// separator, empty when there is none), name, and extension (with its
// dot, upper-cased).
struct PathParts {
  std::string drive;
  std::string folder;
  std::string name;
  std::string extension;

  // The folder the target lives in, ending in a separator; a bare name
  // lives in the current folder (".\").
  std::string Directory() const;
};

PathParts SplitPath(std::string_view path);

// bytes as a decimal number with separator inserted after every three
// digits counted from the right, never in front: 1234567 -> "1,234,567".
std::wstring FreeSpaceText(ULONGLONG bytes, std::wstring_view separator);

// Outcome codes of the directory test.
enum class DirectoryCode {
  kOk = 0,
  kWriteProtected = 1,
  kNotAccessible = 2,  // access denied, invalid drive or drive not ready
  kOtherError = 3,
  kNoSpace = 4,
  kPathNotFound = 5,
  kReadOnlyTarget = 6,
};

// How a failing system call maps onto a code: while asking the volume
// and reading the folder's attributes, and while creating the probe file.
DirectoryCode CodeForFolderError(DWORD error);
DirectoryCode CodeForProbeError(DWORD error);

struct DirectoryTestResult {
  DirectoryCode code = DirectoryCode::kOtherError;
  std::wstring drive;          // upper-cased, for the messages
  std::wstring freeSpaceText;  // empty when the free space is unknown
};

// Name of the file created and deleted again to prove the folder takes
// new files.
inline constexpr char kProbeFileName[] = "VXTMP.FIL";

// Tests whether path can be written and bytesNeeded fit on its volume.
DirectoryTestResult RunDirectoryTest(std::string_view path, ULONGLONG bytesNeeded, std::wstring_view separator);

}  // namespace portal
