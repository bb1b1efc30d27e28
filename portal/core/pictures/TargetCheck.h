// The target check run before a picture or a movie is taken: is the
// camera in a state to deliver, and can the target be written? On failure
// it names the resource string that explains why, with the string's
// arguments; the strings use FormatMessage inserts (%1, %2, %3).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/pictures/DirectoryTest.h"

namespace portal {

enum class TargetKind { kMovie, kPicture };

struct TargetCheckRequest {
  TargetKind kind = TargetKind::kPicture;
  std::string path;            // ANSI, as the engine receives it
  ULONGLONG bytesNeeded = 0;
  LONG cameraState = 0;
  std::wstring cameraName;     // may be empty
  bool diskTest = true;        // false: the target cannot be used now at all
  bool explainAlways = false;  // fail with a general explanation even when all is well
};

// A message of the resource module and the texts for its inserts.
struct TargetMessage {
  UINT stringId = 0;
  std::vector<std::wstring> arguments;
};

// The message for a camera state that rules the target out, if any.
std::optional<TargetMessage> MessageForCameraState(TargetKind kind, LONG state, const std::wstring& path,
                                                   const std::wstring& cameraName);
// The message for a target that cannot be used now (no disk test).
TargetMessage MessageForUnusableTarget(TargetKind kind, const std::wstring& path);
// The message for the directory test's outcome; nothing for success
// unless explainAlways asks for one.
std::optional<TargetMessage> MessageForDirectoryTest(TargetKind kind, const DirectoryTestResult& test,
                                                     const std::wstring& path, bool explainAlways);

// The whole check; nothing when the target may be written. separator is
// inserted into the free-space figure.
std::optional<TargetMessage> CheckTarget(const TargetCheckRequest& request, std::wstring_view separator);

// Fills a FormatMessage pattern with the arguments; the pattern unchanged
// when it does not format.
std::wstring FormatTargetMessage(const std::wstring& pattern, const std::vector<std::wstring>& arguments);

}  // namespace portal
