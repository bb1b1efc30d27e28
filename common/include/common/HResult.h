// Early-return helpers for HRESULT error paths at COM boundaries.
#pragma once

#include <windows.h>

#define RETURN_IF_FAILED(expr)              \
  do {                                      \
    const HRESULT hr_ = (expr);             \
    if (FAILED(hr_)) return hr_;            \
  } while (0)

#define RETURN_HR_IF(hr, condition) \
  do {                              \
    if (condition) return (hr);     \
  } while (0)

#define RETURN_IF_NULL_ALLOC(ptr)          \
  do {                                     \
    if ((ptr) == nullptr) return E_OUTOFMEMORY; \
  } while (0)

namespace common {

// The HRESULT of the calling thread's last Win32 error, E_FAIL if none is set.
inline HRESULT LastErrorHResult() noexcept {
  const DWORD error = ::GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace common
