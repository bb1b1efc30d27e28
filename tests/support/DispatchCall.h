// Late-bound calls for tests: arguments in natural order, reversed into
// DISPPARAMS the way a scripting client passes them.
#pragma once

#include <oaidl.h>

#include <initializer_list>
#include <vector>

namespace testing_support {

// An owned VARIANT.
class Variant {
 public:
  Variant() { ::VariantInit(&v_); }
  explicit Variant(LONG value) : Variant() {
    V_VT(&v_) = VT_I4;
    V_I4(&v_) = value;
  }
  explicit Variant(const wchar_t* text) : Variant() {
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = ::SysAllocString(text);
  }
  static Variant ByRef(LONG* target) {
    Variant v;
    V_VT(&v.v_) = VT_BYREF | VT_I4;
    V_I4REF(&v.v_) = target;
    return v;
  }
  static Variant ByRef(BSTR* target) {
    Variant v;
    V_VT(&v.v_) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v.v_) = target;
    return v;
  }
  static Variant Pointer(LONG_PTR value) {
    Variant v;
#ifdef _WIN64
    V_VT(&v.v_) = VT_I8;
    V_I8(&v.v_) = value;
#else
    V_VT(&v.v_) = VT_I4;
    V_I4(&v.v_) = value;
#endif
    return v;
  }
  Variant(Variant&& other) noexcept : v_(other.v_) { V_VT(&other.v_) = VT_EMPTY; }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { ::VariantClear(&v_); }
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }

 private:
  VARIANT v_;
};

struct CallResult {
  HRESULT hr = E_FAIL;
  VARIANT value{};
  ~CallResult() { ::VariantClear(&value); }
  // The retval as a long (VT_I4), or a sentinel when there is none.
  LONG AsLong() const { return V_VT(&value) == VT_I4 ? V_I4(&value) : static_cast<LONG>(0xBAD0BAD); }
};

// Invokes id with flags (DISPATCH_METHOD, _PROPERTYGET, _PROPERTYPUT).
HRESULT Invoke(IDispatch* dispatch, DISPID id, WORD flags, std::vector<Variant>& args, CallResult* result);

}  // namespace testing_support
