// Marshalled class object in a named mapping.
#include "ClassObjectPublisher.h"

#include <objbase.h>

#include <cstring>
#include <utility>

#include "EngineLaunch.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace engine {

HRESULT ClassObjectPublisher::Publish(IClassFactory* factory) {
  Withdraw();
  common::ComPtr<IStream> stream;
  HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  if (FAILED(hr)) return hr;
  // Table-strong: any number of clients may unmarshal the same data.
  hr = ::CoMarshalInterface(stream.get(), IID_IClassFactory, factory, MSHCTX_LOCAL, nullptr,
                            MSHLFLAGS_TABLESTRONG);
  if (FAILED(hr)) return hr;
  HGLOBAL global = nullptr;
  hr = ::GetHGlobalFromStream(stream.get(), &global);
  if (FAILED(hr)) return hr;
  const SIZE_T bytes = ::GlobalSize(global);
  const DWORD total = static_cast<DWORD>(sizeof(std::uint32_t) + bytes);
  common::UniqueKernelHandle mapping(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                                          0, total, kEngineClassObjectMappingName));
  if (!mapping) return HRESULT_FROM_WIN32(::GetLastError());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, total));
  const common::GlobalLockGuard data(global);
  if (!view || !data) return E_FAIL;
  const std::uint32_t length = static_cast<std::uint32_t>(bytes);
  std::memcpy(view.get(), &length, sizeof(length));
  std::memcpy(static_cast<BYTE*>(view.get()) + sizeof(length), data.get(), bytes);
  stream_ = std::move(stream);
  mapping_ = std::move(mapping);
  return S_OK;
}

void ClassObjectPublisher::Withdraw() noexcept {
  mapping_.reset();
  if (stream_) {
    LARGE_INTEGER start{};
    stream_->Seek(start, STREAM_SEEK_SET, nullptr);
    ::CoReleaseMarshalData(stream_.get());
    stream_.reset();  // frees the marshal data with the stream
  }
}

}  // namespace engine
