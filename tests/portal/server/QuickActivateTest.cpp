// Quick activation: one call hands the control its site, view sink and
// event sink; the control answers with its status and the event cookie.
#include <gtest/gtest.h>

#include <olectl.h>

#include "PortalLibrary.h"
#include "TestContainer.h"
#include "TestSinks.h"
#include "Tovra2.h"
#include "common/ComPtr.h"

namespace portal_test {
namespace {

class QuickActivateTest : public OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    quick_ = CreatePortal<IQuickActivate>();
    ASSERT_TRUE(quick_);
    container_.cbSize = sizeof(container_);
    container_.pClientSite = &site_;
    container_.pAdviseSink = &viewSink_;
    container_.pUnkEventSink = &events_;
    control_.cbSize = sizeof(control_);
  }

  void TearDown() override {
    if (quick_) {
      common::ComPtr<IOleObject> object;
      quick_.As(&object);
      object->Close(OLECLOSE_NOSAVE);
      object->SetClientSite(nullptr);
      common::ComPtr<IViewObject> view;
      quick_.As(&view);
      view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    }
    quick_.reset();
    EXPECT_EQ(0, site_.OutstandingReferences());
    EXPECT_EQ(0, viewSink_.OutstandingReferences());
    EXPECT_EQ(0, events_.OutstandingReferences());
    OleTest::TearDown();
  }

  common::ComPtr<IConnectionPoint> DefaultSource() {
    common::ComPtr<IConnectionPointContainer> points;
    EXPECT_EQ(S_OK, quick_.As(&points));
    common::ComPtr<IConnectionPoint> point;
    if (points) {
      EXPECT_EQ(S_OK, points->FindConnectionPoint(DIID__IVideoPortalEvents, point.put()));
    }
    return point;
  }

  TestContainer site_;
  RecordingAdviseSink viewSink_;
  EventSink events_{DIID__IVideoPortalEvents};
  QACONTAINER container_ = {};
  QACONTROL control_ = {};
  common::ComPtr<IQuickActivate> quick_;
};

TEST_F(QuickActivateTest, ConnectsSiteViewSinkAndEventSink) {
  ASSERT_EQ(S_OK, quick_->QuickActivate(&container_, &control_));
  EXPECT_EQ(131473u, control_.dwMiscStatus);
  EXPECT_EQ(static_cast<DWORD>(VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND), control_.dwViewStatus);
  EXPECT_EQ(0u, control_.dwPropNotifyCookie);

  common::ComPtr<IOleObject> object;
  ASSERT_EQ(S_OK, quick_.As(&object));
  common::ComPtr<IOleClientSite> site;
  ASSERT_EQ(S_OK, object->GetClientSite(site.put()));
  EXPECT_EQ(static_cast<IOleClientSite*>(&site_), site.get());

  common::ComPtr<IViewObject> view;
  ASSERT_EQ(S_OK, quick_.As(&view));
  DWORD aspects = 0;
  common::ComPtr<IAdviseSink> sink;
  ASSERT_EQ(S_OK, view->GetAdvise(&aspects, nullptr, sink.put()));
  EXPECT_EQ(static_cast<IAdviseSink*>(&viewSink_), sink.get());
  EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), aspects);
  sink.reset();
  // A new extent is a new picture.
  SIZEL extent = {3000, 2000};
  ASSERT_EQ(S_OK, quick_->SetContentExtent(&extent));
  EXPECT_EQ(1, viewSink_.viewChanges);

  // The cookie names a live connection on the default source: it can be
  // disconnected exactly once.
  ASSERT_NE(0u, control_.dwEventCookie);
  common::ComPtr<IConnectionPoint> point = DefaultSource();
  ASSERT_TRUE(point);
  EXPECT_EQ(1, events_.OutstandingReferences());
  EXPECT_EQ(S_OK, point->Unadvise(control_.dwEventCookie));
  EXPECT_EQ(0, events_.OutstandingReferences());
  EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(control_.dwEventCookie));
}

TEST_F(QuickActivateTest, WorksWithoutOptionalSinks) {
  container_.pAdviseSink = nullptr;
  container_.pUnkEventSink = nullptr;
  ASSERT_EQ(S_OK, quick_->QuickActivate(&container_, &control_));
  EXPECT_EQ(0u, control_.dwEventCookie);
  EXPECT_EQ(131473u, control_.dwMiscStatus);
}

TEST_F(QuickActivateTest, RefusesMissingOrTooSmallStructures) {
  EXPECT_EQ(E_POINTER, quick_->QuickActivate(nullptr, &control_));
  EXPECT_EQ(E_POINTER, quick_->QuickActivate(&container_, nullptr));
  control_.cbSize = sizeof(control_) - 4;
  EXPECT_EQ(E_INVALIDARG, quick_->QuickActivate(&container_, &control_));
  control_.cbSize = sizeof(control_);
  container_.cbSize = 8;
  EXPECT_EQ(E_INVALIDARG, quick_->QuickActivate(&container_, &control_));
  // Nothing was connected by the refused calls.
  EXPECT_EQ(0, events_.OutstandingReferences());
  EXPECT_EQ(0, site_.OutstandingReferences());
}

TEST_F(QuickActivateTest, ContentExtentRoundTrips) {
  SIZEL extent = {1234, 4321};
  ASSERT_EQ(S_OK, quick_->SetContentExtent(&extent));
  SIZEL read = {};
  ASSERT_EQ(S_OK, quick_->GetContentExtent(&read));
  EXPECT_EQ(1234, read.cx);
  EXPECT_EQ(4321, read.cy);
  EXPECT_EQ(E_POINTER, quick_->GetContentExtent(nullptr));
  SIZEL negative = {-1, 10};
  EXPECT_TRUE(FAILED(quick_->SetContentExtent(&negative)));
}

}  // namespace
}  // namespace portal_test
