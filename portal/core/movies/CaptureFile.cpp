// Reserving capture file names.
#include "core/movies/CaptureFile.h"

#include "common/Strings.h"

namespace portal {

std::optional<CaptureFile> CaptureFile::Reserve() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(static_cast<DWORD>(sizeof(folder)), folder);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  char placeholder[MAX_PATH + 1] = {};
  if (::GetTempFileNameA(folder, "vx", 0, placeholder) == 0) return std::nullopt;
  std::string path = std::string(placeholder) + ".avi";
  if (path.size() > kMostCharacters) {
    ::DeleteFileA(placeholder);
    return std::nullopt;
  }
  return CaptureFile(placeholder, std::move(path));
}

CaptureFile::CaptureFile(CaptureFile&& other) noexcept
    : placeholder_(std::move(other.placeholder_)), path_(std::move(other.path_)) {
  other.placeholder_.clear();
}

CaptureFile& CaptureFile::operator=(CaptureFile&& other) noexcept {
  if (this != &other) {
    if (!placeholder_.empty()) ::DeleteFileA(placeholder_.c_str());
    placeholder_ = std::move(other.placeholder_);
    path_ = std::move(other.path_);
    other.placeholder_.clear();
  }
  return *this;
}

CaptureFile::~CaptureFile() {
  if (!placeholder_.empty()) ::DeleteFileA(placeholder_.c_str());
}

std::wstring CaptureFile::Path() const { return common::AnsiToWide(path_); }

}  // namespace portal
