// Bitmap file images in memory and on disk.
#include "media/BitmapFile.h"

#include <cstring>

#include "common/HResult.h"
#include "common/UniqueHandle.h"

namespace media {

namespace {

void WriteHeaders(const Frame& frame, std::uint8_t* out) {
  const std::size_t total = BitmapFileSize(frame.Width(), frame.Height());
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(total);
  file.bfOffBits = static_cast<DWORD>(kBitmapHeadersSize);
  const BITMAPINFOHEADER info = frame.InfoHeader();
  static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40,
                "bitmap headers are packed");
  std::memcpy(out, &file, sizeof file);
  std::memcpy(out + sizeof file, &info, sizeof info);
}

// The folder part of path, with its trailing separator; "." when none.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

HRESULT WriteAll(HANDLE file, const void* bytes, std::size_t size) {
  DWORD written = 0;
  if (!::WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr)) {
    return common::LastErrorHResult();
  }
  return written == size ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
}

// The headers, then the frame's rows straight from the frame: no copy of
// the picture is made on the way to the file.
HRESULT WriteImage(HANDLE file, const Frame& frame) {
  std::uint8_t headers[kBitmapHeadersSize];
  WriteHeaders(frame, headers);
  const HRESULT hr = WriteAll(file, headers, sizeof headers);
  return FAILED(hr) ? hr : WriteAll(file, frame.Bits(), frame.ImageBytes());
}

}  // namespace

std::size_t BitmapFileSize(int width, int height) noexcept {
  if (width < 1 || height < 1 || width > Frame::kMaxDimension || height > Frame::kMaxDimension) {
    return 0;
  }
  return Frame::StrideFor(width) * static_cast<std::size_t>(height) + kBitmapHeadersSize;
}

HRESULT CopyBitmapFile(const Frame& frame, void* buffer, std::size_t bufferSize) {
  if (frame.Empty() || buffer == nullptr) return E_INVALIDARG;
  if (bufferSize < BitmapFileSize(frame.Width(), frame.Height())) {
    return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  WriteHeaders(frame, out);
  std::memcpy(out + kBitmapHeadersSize, frame.Bits(), frame.ImageBytes());
  return S_OK;
}

std::vector<std::uint8_t> BitmapFileBytes(const Frame& frame) {
  std::vector<std::uint8_t> bytes(BitmapFileSize(frame.Width(), frame.Height()));
  if (!bytes.empty()) CopyBitmapFile(frame, bytes.data(), bytes.size());
  return bytes;
}

HRESULT WriteBitmapFile(const Frame& frame, const std::wstring& path) {
  if (frame.Empty() || path.empty()) return E_INVALIDARG;
  // A read-only target is refused up front: the replacing move below would
  // overwrite it on some systems.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  }
  if (BitmapFileSize(frame.Width(), frame.Height()) == 0) return E_INVALIDARG;
  wchar_t temp[MAX_PATH];
  if (!::GetTempFileNameW(FolderOf(path).c_str(), L"bmp", 0, temp)) {
    return common::LastErrorHResult();
  }
  HRESULT hr;
  {
    common::UniqueFile file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    hr = file ? WriteImage(file.get(), frame) : common::LastErrorHResult();
  }
  if (SUCCEEDED(hr) && !::MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    hr = common::LastErrorHResult();
  }
  if (FAILED(hr)) ::DeleteFileW(temp);
  return hr;
}

}  // namespace media
