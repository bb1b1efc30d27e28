// cJpeg: comment conversion and the file writer.
#include "cJpeg.h"

#include <common/UniqueHandle.h>

#include "HdcSampler.h"

namespace {

// File errors in the numbering the application's error handler expects.
[[noreturn]] void RaiseFileError(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: throw jpeg::JpegError(76, "Path not found");
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: throw jpeg::JpegError(58, "File already exists");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: throw jpeg::JpegError(61, "Disk full");
    default: throw jpeg::JpegError(75, "Path/File access error");
  }
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

}  // namespace

LONG cJpeg::SampleHDC(HDC lHDC, LONG lWidth, LONG lHeight, LONG lSrcLeft, LONG lSrcTop) {
  return jpeg::SampleDeviceContext(encoder_, lHDC, lWidth, lHeight, lSrcLeft, lSrcTop);
}

void cJpeg::Comment(const std::wstring& Value) {
  if (Value.size() > static_cast<size_t>(jpeg::JpegEncoder::kMaxCommentLength)) {
    throw jpeg::JpegError(1, "Illegal Comment Length");
  }
  encoder_.SetComment(ToAnsi(Value));  // a double-byte text may still be too long
  comment_ = Value;
}

LONG cJpeg::SaveFile(const std::wstring& FileName) {
  if (FileName.empty()) return 1;
  if (::GetFileAttributesW(FileName.c_str()) != INVALID_FILE_ATTRIBUTES) return 2;
  const std::vector<uint8_t> bytes = encoder_.EncodeFile();

  common::UniqueFile file(::CreateFileW(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseFileError(::GetLastError());
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr);
  if (!ok || written != bytes.size()) {
    const DWORD error = ok ? ERROR_DISK_FULL : ::GetLastError();
    file.reset();
    ::DeleteFileW(FileName.c_str());  // never leave a truncated picture behind
    RaiseFileError(error);
  }
  return 0;
}
