// The hosted control used by the connection tests.
#include "HostedPortal.h"

#include <gtest/gtest.h>

#include <fstream>

#include <tlhelp32.h>

#include "PortalContract.h"
#include "KillProcess.h"
#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "engine/interface/EngineCommands.h"

namespace dispid = tovra2::dispid;

namespace portal_test {

using testing_support::CallResult;
using testing_support::Variant;

namespace {
LONGLONG Value(const VARIANT& v) { return V_VT(&v) == VT_I8 ? V_I8(&v) : V_I4(&v); }
}  // namespace

class HostedPortal::Sink final : public IDispatch {
 public:
  Sink(const char* point, const IID& iid, std::vector<Notification>* events)
      : point_(point), iid_(iid), events_(events) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != iid_) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = --refs_;
    if (refs == 0) delete this;
    return refs;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (params->cArgs == 4) {
      events_->push_back({point_, V_I4(&params->rgvarg[3]), Value(params->rgvarg[2]), Value(params->rgvarg[1]),
                          Value(params->rgvarg[0])});
    }
    return S_OK;
  }

 private:
  std::string point_;
  IID iid_;
  std::vector<Notification>* events_;
  LONG refs_ = 1;
};

EngineConfigFile::EngineConfigFile(const std::string& contents) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  wchar_t file[MAX_PATH];
  ::GetTempFileNameW(folder, L"eng", 0, file);
  path_ = file;
  std::ofstream(common::WideToAnsi(path_), std::ios::binary | std::ios::trunc) << contents;
  ::SetEnvironmentVariableW(L"CAMERA_ENGINE_CONFIG", path_.c_str());
}

EngineConfigFile::~EngineConfigFile() {
  ::SetEnvironmentVariableW(L"CAMERA_ENGINE_CONFIG", nullptr);
  ::DeleteFileW(path_.c_str());
}

HostedPortal::HostedPortal() {
  object_ = CreatePortal<IOleObject>();
  if (!object_ || FAILED(object_->SetClientSite(&container_))) return;
  // The busy indicator shows only over a visible control in the foreground.
  ::ShowWindow(container_.Window(), SW_SHOW);
  ::SetForegroundWindow(container_.Window());
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, -1, container_.Window(),
                             &TestContainer::kPosition))) {
    return;
  }
  common::ComPtr<IOleWindow> window;
  if (SUCCEEDED(object_.As(&window))) window->GetWindow(&window_);
  object_.As(&dispatch_);
  object_.As(&early_);
  common::ComPtr<IConnectionPointContainer> points;
  object_.As(&points);
  const IID* iids[] = {&DIID__IVideoPortalEvents, &DIID_DIVideoPortalEvents};
  const char* names[] = {"default", "second"};
  for (int i = 0; i < 2; ++i) {
    common::ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    sinks_[i] = new Sink(names[i], *iids[i], &events_);
    if (points && SUCCEEDED(points->FindConnectionPoint(*iids[i], point.put())) &&
        SUCCEEDED(point->Advise(sinks_[i], &cookie))) {
      cookies_.emplace_back(point, cookie);
    }
  }
}

HostedPortal::~HostedPortal() {
  for (auto& [point, cookie] : cookies_) point->Unadvise(cookie);
  cookies_.clear();
  dispatch_.reset();
  early_.reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  object_.reset();
  for (Sink* sink : sinks_) {
    if (sink) sink->Release();
  }
}

LONG HostedPortal::Call(DISPID id, std::vector<Variant> args) {
  CallResult result;
  EXPECT_EQ(S_OK, testing_support::Invoke(dispatch_.get(), id, DISPATCH_METHOD, args, &result)) << "dispid " << id;
  return result.AsLong();
}

LONG HostedPortal::Get(DISPID id) {
  std::vector<Variant> none;
  CallResult result;
  testing_support::Invoke(dispatch_.get(), id, DISPATCH_PROPERTYGET, none, &result);
  return result.AsLong();
}

void HostedPortal::Put(DISPID id, LONG value) {
  std::vector<Variant> args;
  args.emplace_back(value);
  testing_support::Invoke(dispatch_.get(), id, DISPATCH_PROPERTYPUT, args, nullptr);
}

LONG HostedPortal::Prepare(const wchar_t* key) {
  std::vector<Variant> args;
  args.emplace_back(L"TorvaneTests");
  args.emplace_back(key);
  args.emplace_back(0L);
  return Call(dispid::kPrepareControl, std::move(args));
}

LONG HostedPortal::Scenario(LONG command, LONG subCode, const void* input, LONG size) {
  std::vector<Variant> args;
  args.emplace_back(command);
  args.emplace_back(subCode);
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(input)));
  args.emplace_back(size);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  return Call(dispid::kSendCommand, std::move(args));
}

LONG HostedPortal::Inquiry(LONG command, LONG subCode, void* output, LONG size) {
  std::vector<Variant> args;
  args.emplace_back(command);
  args.emplace_back(subCode);
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(output)));
  args.emplace_back(size);
  return Call(dispid::kQuery, std::move(args));
}

int KillCameraEngines() {
  common::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  int killed = 0;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"CameraEngine.exe") != 0) continue;
    if (testing_support::KillProcess(entry.th32ProcessID)) ++killed;
  }
  return killed;
}

LONG HostedPortal::ReloadEngineConfig(const std::wstring& path) {
  const std::string ansi = common::WideToAnsi(path);
  return Scenario(engine::kScenarioReloadConfig, 0, ansi.c_str(), static_cast<LONG>(ansi.size() + 1));
}

bool HostedPortal::PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!predicate()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  return true;
}

void HostedPortal::PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

int HostedPortal::Count(LONG msg) const {
  int count = 0;
  for (const Notification& n : events_) count += n.msg == msg && n.point == "default";
  return count;
}

}  // namespace portal_test
