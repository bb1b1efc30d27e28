// The fake control.
#include "FakePortal.h"

#include <cwchar>

#include "FlowTestSupport.h"
#include "common/Strings.h"

namespace flow_tests {

namespace dispid = tovra2::dispid;

std::string Narrow(const std::wstring& text) { return common::WideToAnsi(text); }

std::vector<std::string> FakePortal::CallsOf(const std::string& member) const {
  std::vector<std::string> rows;
  for (const std::string& row : calls) {
    if (row.compare(0, member.size(), member) == 0 && row.find_first_of("(=?") == member.size()) rows.push_back(row);
  }
  return rows;
}

HRESULT FakePortal::QueryInterface(REFIID iid, void** object) {
  *object = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
  return *object ? S_OK : E_NOINTERFACE;
}

HRESULT FakePortal::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT FakePortal::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                           UINT*) {
  std::vector<std::wstring> args;  // natural order, as text
  for (UINT i = params->cArgs; i > 0; --i) {
    VARIANT text;
    ::VariantInit(&text);
    ::VariantChangeType(&text, &params->rgvarg[i - 1], 0, VT_BSTR);
    args.push_back(V_VT(&text) == VT_BSTR && V_BSTR(&text) ? V_BSTR(&text) : L"");
    ::VariantClear(&text);
  }
  const bool property = id >= dispid::kCameraConnected;
  std::string row = Narrow(tovra2::MemberNameOf(id));
  if (flags & DISPATCH_PROPERTYPUT) {
    row += "=" + Narrow(args.at(0));
  } else if (property) {
    row += "?";
  } else {
    row += "(";
    for (size_t i = 0; i < args.size(); ++i) row += (i ? "," : "") + Narrow(args[i]);
    row += ")";
  }
  calls.push_back(row);
  if (failures.count(id)) return failures[id];
  if (flags & DISPATCH_PROPERTYPUT) {
    properties[id] = std::wcstol(args[0].c_str(), nullptr, 10);
    return S_OK;
  }
  const long value = property ? properties[id] : results.count(id) ? results[id] : 1;
  if (id == dispid::kStartMovieRecording && value == 1) recording_ = args.at(0);
  if (id == dispid::kStopMovieRecording && value == 1 && !recording_.empty()) {
    if (movieBytes > 0) WriteFileBytes(recording_, std::string(movieBytes, 'R'));
    recording_.clear();
  }
  V_VT(result) = VT_I4;
  V_I4(result) = value;
  return value == 1 || property ? S_OK : S_FALSE;
}

}  // namespace flow_tests
