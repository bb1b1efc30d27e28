// Late-bound calls for tests.
#include "DispatchCall.h"

#include <algorithm>

namespace testing_support {

HRESULT Invoke(IDispatch* dispatch, DISPID id, WORD flags, std::vector<Variant>& args, CallResult* result) {
  std::vector<VARIANTARG> reversed;
  reversed.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT* out = nullptr;
  if (result) {
    ::VariantInit(&result->value);
    out = &result->value;
  }
  UINT argError = 0;
  const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out, nullptr, &argError);
  if (result) result->hr = hr;
  return hr;
}

}  // namespace testing_support
