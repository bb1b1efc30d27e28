// PortalNotification delivery: both connection points, every sink in
// connection order, sink failures ignored, and the coalescing of queued
// engine reports. Reports are sent to the control's window the way the
// engine posts them, so no engine is needed.
#include <gtest/gtest.h>

#include <windows.h>

#include <olectl.h>

#include <memory>
#include <string>
#include <vector>

#include "PortalContract.h"
#include "PortalLibrary.h"
#include "TestContainer.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "engine/interface/EngineMessages.h"

using common::ComPtr;

namespace {

constexpr LONG kValue = tovra2::kNotifyValueReport;

struct Delivery {
  std::string sink;
  LONG msg;
  LONGLONG p1, p2, p3;
  bool operator==(const Delivery& o) const {
    return sink == o.sink && msg == o.msg && p1 == o.p1 && p2 == o.p2 && p3 == o.p3;
  }
};

std::ostream& operator<<(std::ostream& out, const Delivery& d) {
  return out << d.sink << ":" << d.msg << "(" << d.p1 << "," << d.p2 << "," << d.p3 << ")";
}

LONGLONG Value(const VARIANT& v) { return V_VT(&v) == VT_I8 ? V_I8(&v) : V_I4(&v); }

// A sink that records what it receives into a shared log and answers with
// a chosen HRESULT. Optionally unadvises itself from inside its handler.
class RecordingSink final : public IDispatch {
 public:
  RecordingSink(std::string name, const IID& iid, std::vector<Delivery>* log, HRESULT answer = S_OK)
      : name_(std::move(name)), iid_(iid), log_(log), answer_(answer) {}

  void UnadviseOnCall(IConnectionPoint* point, DWORD cookie) {
    point_ = point;
    cookie_ = cookie;
  }
  LONG References() const { return refs_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != iid_) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    EXPECT_EQ(1, id);
    EXPECT_EQ(DISPATCH_METHOD, flags);
    EXPECT_EQ(4u, params->cArgs);
    // Arguments arrive last first.
    log_->push_back({name_, V_I4(&params->rgvarg[3]), Value(params->rgvarg[2]), Value(params->rgvarg[1]),
                     Value(params->rgvarg[0])});
    if (point_) std::exchange(point_, nullptr)->Unadvise(cookie_);
    return answer_;
  }

 private:
  std::string name_;
  IID iid_;
  std::vector<Delivery>* log_;
  HRESULT answer_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
  LONG refs_ = 1;
};

class PortalEvents : public portal_test::OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    object_ = portal_test::CreatePortal<IOleObject>();
    ASSERT_TRUE(object_);
    ASSERT_EQ(S_OK, object_->SetClientSite(&container_));
    ASSERT_EQ(S_OK, object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, -1, container_.Window(),
                                    &portal_test::TestContainer::kPosition));
    ComPtr<IOleWindow> window;
    ASSERT_EQ(S_OK, object_.As(&window));
    ASSERT_EQ(S_OK, window->GetWindow(&hwnd_));
    ComPtr<IConnectionPointContainer> points;
    ASSERT_EQ(S_OK, object_.As(&points));
    ASSERT_EQ(S_OK, points->FindConnectionPoint(DIID__IVideoPortalEvents, first_.put()));
    ASSERT_EQ(S_OK, points->FindConnectionPoint(DIID_DIVideoPortalEvents, second_.put()));
  }
  void TearDown() override {
    first_.reset();
    second_.reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
    }
    object_.reset();
    OleTest::TearDown();
  }

  DWORD Advise(IConnectionPoint* point, RecordingSink* sink) {
    DWORD cookie = 0;
    EXPECT_EQ(S_OK, point->Advise(sink, &cookie));
    EXPECT_NE(0u, cookie);
    return cookie;
  }
  // Lets every posted message reach the control's window.
  void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }

  // Sinks outlive the control, which releases them when it goes away.
  RecordingSink* Sink(const char* name, const IID& iid, HRESULT answer = S_OK) {
    sinks_.push_back(std::make_unique<RecordingSink>(name, iid, &log_, answer));
    return sinks_.back().get();
  }

  std::vector<Delivery> log_;
  std::vector<std::unique_ptr<RecordingSink>> sinks_;
  portal_test::TestContainer container_;
  ComPtr<IOleObject> object_;
  HWND hwnd_ = nullptr;
  ComPtr<IConnectionPoint> first_;
  ComPtr<IConnectionPoint> second_;
};

TEST_F(PortalEvents, ContainerOffersExactlyTheTwoEventInterfacesInOrder) {
  ComPtr<IConnectionPointContainer> points;
  ASSERT_EQ(S_OK, object_.As(&points));
  ComPtr<IEnumConnectionPoints> enumerator;
  ASSERT_EQ(S_OK, points->EnumConnectionPoints(enumerator.put()));
  IConnectionPoint* found[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, enumerator->Next(3, found, &fetched));
  ASSERT_EQ(2u, fetched);
  const IID* expected[] = {&DIID__IVideoPortalEvents, &DIID_DIVideoPortalEvents};
  for (ULONG i = 0; i < fetched; ++i) {
    IID iid;
    EXPECT_EQ(S_OK, found[i]->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(*expected[i], iid)) << i;
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(S_OK, found[i]->GetConnectionPointContainer(back.put()));
    found[i]->Release();
  }
  ComPtr<IConnectionPoint> none;
  EXPECT_EQ(CONNECT_E_NOCONNECTION, points->FindConnectionPoint(IID_IPropertyNotifySink, none.put()));
}

TEST_F(PortalEvents, EverySinkOnBothPointsInConnectionOrder) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  RecordingSink* b = Sink("b", DIID__IVideoPortalEvents);
  RecordingSink* c = Sink("c", DIID__IVideoPortalEvents);
  RecordingSink* d = Sink("d", DIID_DIVideoPortalEvents);
  RecordingSink* e = Sink("e", DIID_DIVideoPortalEvents);
  Advise(second_.get(), d);
  Advise(first_.get(), a);
  Advise(first_.get(), b);
  Advise(second_.get(), e);
  Advise(first_.get(), c);
  ::SendMessageW(hwnd_, engine::kMsgValueReport, 7, -9);
  const std::vector<Delivery> expected = {{"a", kValue, 7, -9, 0}, {"b", kValue, 7, -9, 0}, {"c", kValue, 7, -9, 0},
                                          {"d", kValue, 7, -9, 0}, {"e", kValue, 7, -9, 0}};
  EXPECT_EQ(expected, log_);
}

TEST_F(PortalEvents, FailingSinkDoesNotStopTheOthers) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents, DISP_E_EXCEPTION);
  RecordingSink* b = Sink("b", DIID__IVideoPortalEvents, E_FAIL);
  RecordingSink* c = Sink("c", DIID_DIVideoPortalEvents, E_UNEXPECTED);
  Advise(first_.get(), a);
  Advise(first_.get(), b);
  Advise(second_.get(), c);
  ::SendMessageW(hwnd_, engine::kMsgValueReport, 1, 2);
  ASSERT_EQ(3u, log_.size());
  EXPECT_EQ("c", log_[2].sink);
}

TEST_F(PortalEvents, UnadviseRemovesOneSinkAndKeepsTheOrderOfTheRest) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  RecordingSink* b = Sink("b", DIID__IVideoPortalEvents);
  RecordingSink* c = Sink("c", DIID__IVideoPortalEvents);
  const DWORD ca = Advise(first_.get(), a);
  const DWORD cb = Advise(first_.get(), b);
  const DWORD cc = Advise(first_.get(), c);
  EXPECT_EQ(S_OK, first_->Unadvise(cb));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, first_->Unadvise(cb));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, second_->Unadvise(ca));  // a cookie of the other point
  EXPECT_EQ(1, b->References());                               // released

  ComPtr<IEnumConnections> connections;
  ASSERT_EQ(S_OK, first_->EnumConnections(connections.put()));
  CONNECTDATA data[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, connections->Next(3, data, &fetched));
  ASSERT_EQ(2u, fetched);
  EXPECT_EQ(ca, data[0].dwCookie);
  EXPECT_EQ(cc, data[1].dwCookie);
  for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();

  ::SendMessageW(hwnd_, engine::kMsgValueReport, 3, 4);
  ASSERT_EQ(2u, log_.size());
  EXPECT_EQ("a", log_[0].sink);
  EXPECT_EQ("c", log_[1].sink);
}

TEST_F(PortalEvents, SinkMayUnadviseItselfWhileBeingCalled) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  RecordingSink* b = Sink("b", DIID__IVideoPortalEvents);
  a->UnadviseOnCall(first_.get(), Advise(first_.get(), a));
  Advise(first_.get(), b);
  ::SendMessageW(hwnd_, engine::kMsgValueReport, 0, 0);
  ::SendMessageW(hwnd_, engine::kMsgValueReport, 0, 0);
  const std::vector<std::string> sinks = {log_.size() > 0 ? log_[0].sink : "", log_.size() > 1 ? log_[1].sink : "",
                                          log_.size() > 2 ? log_[2].sink : ""};
  EXPECT_EQ((std::vector<std::string>{"a", "b", "b"}), sinks);
  EXPECT_EQ(3u, log_.size());
}

TEST_F(PortalEvents, SinksWithoutTheEventInterfaceOrDispatchAreRefused) {
  class Bare final : public IUnknown {
   public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
      *object = iid == IID_IUnknown ? this : nullptr;
      return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
  } bare;
  DWORD cookie = 123;
  EXPECT_EQ(CONNECT_E_CANNOTCONNECT, first_->Advise(&bare, &cookie));
  EXPECT_EQ(0u, cookie);
  EXPECT_EQ(E_POINTER, first_->Advise(nullptr, &cookie));
}

// Queued copies of a plain engine report: a single queued copy comes back once more,
// two or more are dropped.
TEST_F(PortalEvents, QueuedReportsAreCoalesced) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  Advise(first_.get(), a);
  ::PostMessageW(hwnd_, engine::kMsgPlainReport, 0, 0);
  ::PostMessageW(hwnd_, engine::kMsgPlainReport, 0, 0);
  Pump();
  EXPECT_EQ(2u, log_.size()) << "one queued copy is posted again";
  log_.clear();
  for (int i = 0; i < 4; ++i) ::PostMessageW(hwnd_, engine::kMsgPlainReport, 0, 0);
  Pump();
  EXPECT_EQ(1u, log_.size()) << "a burst collapses into one report";
  for (const Delivery& d : log_) EXPECT_EQ(tovra2::kNotifyPlainReport, d.msg);
}

// A report with values keeps the parameters of the message being handled when its
// single queued copy is posted again.
TEST_F(PortalEvents, CoalescedReportKeepsTheHandledParameters) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  Advise(first_.get(), a);
  ::PostMessageW(hwnd_, engine::kMsgValueReport, 1, 10);
  ::PostMessageW(hwnd_, engine::kMsgValueReport, 2, 20);
  Pump();
  const std::vector<Delivery> expected = {{"a", kValue, 1, 10, 0}, {"a", kValue, 1, 10, 0}};
  EXPECT_EQ(expected, log_);
}

// Without an engine, a motion report carries no value.
TEST_F(PortalEvents, MotionReportWithoutEngineCarriesZero) {
  RecordingSink* a = Sink("a", DIID__IVideoPortalEvents);
  Advise(first_.get(), a);
  ::SendMessageW(hwnd_, engine::kMsgMotionReport, engine::kMotionValue, 55);
  const std::vector<Delivery> expected = {{"a", tovra2::kNotifyMotion, 0, 0, 0}};
  EXPECT_EQ(expected, log_);
}

}  // namespace
