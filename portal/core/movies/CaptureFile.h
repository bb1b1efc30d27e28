// The temporary capture file of a recording: a unique name in the system's
// temporary folder with the prefix "vx", made by the temporary-file-name
// service (which reserves it with an empty placeholder file) and ".avi"
// appended. The placeholder goes when the recording is over; the capture
// file itself is the movie until it has been finished at its target.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace portal {

class CaptureFile {
 public:
  // Longest capture file name the engine is given.
  static constexpr size_t kMostCharacters = 259;

  // Reserves a new name; nothing when the temporary folder cannot be used.
  static std::optional<CaptureFile> Reserve();

  CaptureFile(CaptureFile&& other) noexcept;
  CaptureFile& operator=(CaptureFile&& other) noexcept;
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;
  // Removes the placeholder; the capture file stays.
  ~CaptureFile();

  // ANSI, as the engine receives it, and the same name in UTF-16.
  const std::string& AnsiPath() const { return path_; }
  std::wstring Path() const;

 private:
  CaptureFile(std::string placeholder, std::string path)
      : placeholder_(std::move(placeholder)), path_(std::move(path)) {}

  std::string placeholder_;
  std::string path_;
};

}  // namespace portal
