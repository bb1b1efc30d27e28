// Appending, patching and rolling back the bytes of a RIFF file.
#include "media/RiffFile.h"

#include <limits>

#include "common/HResult.h"

namespace media {

HRESULT RiffFile::Create(const std::wstring& path) {
  if (path.empty()) return E_INVALIDARG;
  common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return common::LastErrorHResult();
  createdNew_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
  file_ = std::move(file);
  size_ = 0;
  return S_OK;
}

HRESULT RiffFile::Seek(std::uint64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  return ::SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN) ? S_OK
                                                                 : common::LastErrorHResult();
}

HRESULT RiffFile::WriteRaw(const void* data, std::size_t bytes) {
  if (!file_) return E_HANDLE;
  if (bytes > std::numeric_limits<DWORD>::max()) return E_INVALIDARG;
  DWORD written = 0;
  if (!::WriteFile(file_.get(), data, static_cast<DWORD>(bytes), &written, nullptr)) {
    return common::LastErrorHResult();
  }
  // A short write without an error is how some volumes report a full disk.
  return written == bytes ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
}

HRESULT RiffFile::Append(const void* data, std::size_t bytes) {
  const HRESULT hr = WriteRaw(data, bytes);
  if (FAILED(hr)) {
    Truncate(size_);  // drop whatever part of the append reached the disk
    return hr;
  }
  size_ += bytes;
  return S_OK;
}

HRESULT RiffFile::AppendChunk(std::uint32_t id, const void* data, std::size_t bytes) {
  if (bytes > std::numeric_limits<std::uint32_t>::max() - 1) return E_INVALIDARG;
  const std::uint64_t start = size_;
  const std::uint32_t header[2] = {id, static_cast<std::uint32_t>(bytes)};
  HRESULT hr = Append(header, sizeof header);
  if (SUCCEEDED(hr) && bytes) hr = Append(data, bytes);
  if (SUCCEEDED(hr) && (bytes & 1)) {
    const std::uint8_t pad = 0;
    hr = Append(&pad, 1);
  }
  if (FAILED(hr) && size_ != start) {
    Truncate(start);
  }
  return hr;
}

HRESULT RiffFile::WriteAt(std::uint64_t offset, const void* data, std::size_t bytes) {
  if (offset + bytes > size_) return E_INVALIDARG;
  HRESULT hr = Seek(offset);
  if (SUCCEEDED(hr)) hr = WriteRaw(data, bytes);
  const HRESULT back = Seek(size_);
  return FAILED(hr) ? hr : back;
}

HRESULT RiffFile::Truncate(std::uint64_t size) {
  if (!file_) return E_HANDLE;
  if (size > size_) return E_INVALIDARG;
  HRESULT hr = Seek(size);
  if (SUCCEEDED(hr) && !::SetEndOfFile(file_.get())) hr = common::LastErrorHResult();
  if (SUCCEEDED(hr)) size_ = size;
  return hr;
}

}  // namespace media
