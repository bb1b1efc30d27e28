// A VideoPortal control for the flow and dialog tests: it answers
// PortalClient's late-bound calls by DISPID (result 1 unless told, stored
// properties), records each as a row ("StartMovieRecording(C:\...,)",
// "MovieRecordMode=2", "MoviePlaybackFPS?"), and a recording that was
// started and is stopped leaves movieBytes bytes in its file, as the
// control's post-processing would.
#pragma once

#include <oaidl.h>

#include <map>
#include <string>
#include <vector>

#include "PortalContract.h"

namespace flow_tests {

class FakePortal final : public IDispatch {
 public:
  std::vector<std::string> calls;
  long movieBytes = 4096;               // 0: a stop leaves no file
  std::map<DISPID, long> results;       // method results other than 1
  std::map<DISPID, HRESULT> failures;   // members that fail as a broken control would
  std::map<DISPID, long> properties{{tovra2::dispid::kCameraConnected, 1}, {tovra2::dispid::kMoviePlaybackFPS, 15}};

  // The rows of one member, in order.
  std::vector<std::string> CallsOf(const std::string& member) const;

  // The test owns the object: counting only.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override;

 private:
  std::wstring recording_;  // the file of the running recording
};

std::string Narrow(const std::wstring& text);

}  // namespace flow_tests
