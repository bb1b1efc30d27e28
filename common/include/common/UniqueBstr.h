// A move-only owner of a BSTR, with the same members as the handle owners:
// get, put (for out parameters), detach, reset. Freeing preserves
// GetLastError; a null BSTR is the empty string.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "common/UniqueHandle.h"

namespace common {

struct BstrTraits {
  using Handle = BSTR;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::SysFreeString(h); }
};

class UniqueBstr {
 public:
  UniqueBstr() noexcept = default;
  // Allocates a copy of text (embedded zeros included).
  explicit UniqueBstr(std::wstring_view text)
      : owner_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  // Takes over a BSTR the caller owns.
  static UniqueBstr Attach(BSTR text) noexcept {
    UniqueBstr result;
    result.owner_.reset(text);
    return result;
  }

  BSTR get() const noexcept { return owner_.get(); }
  BSTR* put() noexcept { return owner_.put(); }
  // Hands ownership to the caller.
  BSTR detach() noexcept { return owner_.release(); }
  void reset(BSTR text = nullptr) noexcept { owner_.reset(text); }
  explicit operator bool() const noexcept { return owner_.valid(); }

  UINT Length() const noexcept { return ::SysStringLen(owner_.get()); }
  std::wstring str() const { return owner_ ? std::wstring(owner_.get(), Length()) : std::wstring(); }

 private:
  UniqueHandle<BstrTraits> owner_;
};

}  // namespace common
