// The control hosted by a hand-written container through the real
// Tovra2.dll: verbs, in-place and UI activation, the control's own window,
// its placement and its destruction.
#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>
#include <string>

#include "PortalLibrary.h"
#include "TestContainer.h"
#include "TestSinks.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace portal_test {
namespace {

constexpr LONG_PTR kPortalUserData = 667;
constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 240;

// The window's clipping region box; ERROR when the window has no region.
int WindowRegionBox(HWND hwnd, RECT* box) {
  common::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
  const int type = ::GetWindowRgn(hwnd, region.get());
  if (type != ERROR) ::GetRgnBox(region.get(), box);
  return type;
}

class InPlaceActivationTest : public OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    object_ = CreatePortal<IOleObject>();
    ASSERT_TRUE(object_);
    ASSERT_EQ(S_OK, object_->SetClientSite(&container_));
  }

  void TearDown() override {
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_.reset();
    }
    // Every site, frame and sink reference the control took is returned.
    EXPECT_EQ(0, container_.OutstandingReferences());
    OleTest::TearDown();
  }

  HRESULT Verb(LONG verb) {
    return object_->DoVerb(verb, nullptr, &container_, -1, container_.Window(), &TestContainer::kPosition);
  }

  HWND ControlWindow() {
    common::ComPtr<IOleWindow> window;
    EXPECT_EQ(S_OK, object_.As(&window));
    HWND hwnd = nullptr;
    return window && SUCCEEDED(window->GetWindow(&hwnd)) ? hwnd : nullptr;
  }

  size_t CallIndex(const std::string& name) const {
    const auto& calls = container_.Calls();
    return std::find(calls.begin(), calls.end(), name) - calls.begin();
  }

  size_t CallCount(const std::string& name) const {
    const auto& calls = container_.Calls();
    return std::count(calls.begin(), calls.end(), name);
  }

  TestContainer container_;
  common::ComPtr<IOleObject> object_;
};

TEST_F(InPlaceActivationTest, CreatesItsOwnChildWindowInTheContainer) {
  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  HWND hwnd = ControlWindow();
  ASSERT_TRUE(::IsWindow(hwnd));
  EXPECT_EQ(container_.Window(), ::GetParent(hwnd));
  EXPECT_EQ(kPortalUserData, ::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1), ::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
  EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD);

  RECT bounds = {};
  ::GetWindowRect(hwnd, &bounds);
  EXPECT_EQ(kPreviewWidth, bounds.right - bounds.left);
  EXPECT_EQ(kPreviewHeight, bounds.bottom - bounds.top);
  ::MapWindowPoints(HWND_DESKTOP, container_.Window(), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(TestContainer::kPosition.left, bounds.left);
  EXPECT_EQ(TestContainer::kPosition.top, bounds.top);

  // The in-place protocol in order; in-place activation alone is not UI
  // activation.
  EXPECT_LT(CallIndex("CanInPlaceActivate"), CallIndex("OnInPlaceActivate"));
  EXPECT_LT(CallIndex("OnInPlaceActivate"), CallIndex("GetWindowContext"));
  EXPECT_FALSE(container_.Called("OnUIActivate"));
}

TEST_F(InPlaceActivationTest, DeactivationDestroysTheWindowOnceAndCanBeRepeated) {
  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  HWND first = ControlWindow();
  ASSERT_TRUE(::IsWindow(first));
  // Activating again while active changes nothing.
  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  EXPECT_EQ(first, ControlWindow());
  EXPECT_EQ(1u, CallCount("OnInPlaceActivate"));

  common::ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_EQ(S_OK, object_.As(&inPlace));
  EXPECT_EQ(S_OK, inPlace->InPlaceDeactivate());
  EXPECT_FALSE(::IsWindow(first));
  HWND none = reinterpret_cast<HWND>(1);
  EXPECT_EQ(E_FAIL, inPlace->GetWindow(&none));
  EXPECT_EQ(nullptr, none);
  EXPECT_EQ(S_OK, inPlace->InPlaceDeactivate());
  EXPECT_EQ(1u, CallCount("OnInPlaceDeactivate"));

  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  EXPECT_TRUE(::IsWindow(ControlWindow()));
  EXPECT_EQ(2u, CallCount("OnInPlaceActivate"));
}

TEST_F(InPlaceActivationTest, CloseDestroysTheWindowAndTellsAdviseSinks) {
  RecordingAdviseSink sink;
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, object_->Advise(&sink, &cookie));
  ASSERT_EQ(S_OK, Verb(OLEIVERB_UIACTIVATE));
  HWND hwnd = ControlWindow();
  ASSERT_TRUE(::IsWindow(hwnd));

  EXPECT_EQ(S_OK, object_->Close(OLECLOSE_NOSAVE));
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(1, sink.closes);
  EXPECT_TRUE(container_.Called("OnUIDeactivate"));
  EXPECT_TRUE(container_.Called("OnInPlaceDeactivate"));
  EXPECT_FALSE(container_.Called("SaveObject"));

  EXPECT_EQ(S_OK, object_->Unadvise(cookie));
  EXPECT_TRUE(FAILED(object_->Unadvise(cookie)));
  EXPECT_EQ(0, sink.OutstandingReferences());
}

TEST_F(InPlaceActivationTest, CloseSavesThroughTheSiteOnlyWhenDirtyAndAsked) {
  SIZEL extent = {1000, 2000};
  ASSERT_EQ(S_OK, object_->SetExtent(DVASPECT_CONTENT, &extent));
  EXPECT_EQ(S_OK, object_->Close(OLECLOSE_NOSAVE));
  EXPECT_FALSE(container_.Called("SaveObject"));
  EXPECT_EQ(S_OK, object_->Close(OLECLOSE_SAVEIFDIRTY));
  EXPECT_TRUE(container_.Called("SaveObject"));
}

TEST_F(InPlaceActivationTest, UiActivationMakesTheControlTheActiveObject) {
  ASSERT_EQ(S_OK, Verb(OLEIVERB_PRIMARY));
  EXPECT_TRUE(container_.Called("OnUIActivate"));
  ASSERT_NE(nullptr, container_.ActiveObject());
  common::ComPtr<IUnknown> fromFrame;
  common::ComPtr<IUnknown> fromObject;
  ASSERT_EQ(S_OK, container_.ActiveObject()->QueryInterface(IID_IUnknown, fromFrame.put_void()));
  ASSERT_EQ(S_OK, object_.As(&fromObject));
  EXPECT_EQ(fromObject.get(), fromFrame.get());
  MSG message = {};
  EXPECT_EQ(S_FALSE, container_.ActiveObject()->TranslateAccelerator(&message));

  common::ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_EQ(S_OK, object_.As(&inPlace));
  EXPECT_EQ(S_OK, inPlace->UIDeactivate());
  EXPECT_EQ(nullptr, container_.ActiveObject());
  EXPECT_TRUE(container_.Called("SetActiveObject(null)"));
  EXPECT_TRUE(container_.Called("OnUIDeactivate"));
  // Still in place: the window stays.
  EXPECT_TRUE(::IsWindow(ControlWindow()));
  EXPECT_FALSE(container_.Called("OnInPlaceDeactivate"));
}

TEST_F(InPlaceActivationTest, HideAndShowVerbsToggleVisibility) {
  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  HWND hwnd = ControlWindow();
  EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(S_OK, Verb(OLEIVERB_HIDE));
  EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(S_OK, Verb(OLEIVERB_SHOW));
  EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(hwnd, ControlWindow());
}

TEST_F(InPlaceActivationTest, ObjectRectsMoveAndClipButKeepThePreviewSize) {
  ASSERT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  HWND hwnd = ControlWindow();
  common::ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_EQ(S_OK, object_.As(&inPlace));

  const RECT moved = {50, 60, 150, 160};
  const RECT wide = {0, 0, 1000, 1000};
  ASSERT_EQ(S_OK, inPlace->SetObjectRects(&moved, &wide));
  RECT bounds = {};
  ::GetWindowRect(hwnd, &bounds);
  EXPECT_EQ(kPreviewWidth, bounds.right - bounds.left);
  EXPECT_EQ(kPreviewHeight, bounds.bottom - bounds.top);
  ::MapWindowPoints(HWND_DESKTOP, container_.Window(), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(50, bounds.left);
  EXPECT_EQ(60, bounds.top);
  RECT region = {};
  EXPECT_EQ(ERROR, WindowRegionBox(hwnd, &region));  // nothing clipped

  const RECT narrow = {0, 0, 200, 100};
  ASSERT_EQ(S_OK, inPlace->SetObjectRects(&moved, &narrow));
  ASSERT_EQ(SIMPLEREGION, WindowRegionBox(hwnd, &region));
  EXPECT_EQ(0, region.left);
  EXPECT_EQ(0, region.top);
  EXPECT_EQ(150, region.right);
  EXPECT_EQ(40, region.bottom);

  EXPECT_EQ(E_POINTER, inPlace->SetObjectRects(nullptr, &wide));
}

TEST_F(InPlaceActivationTest, RefusedOrImpossibleActivationCreatesNoWindow) {
  container_.AllowInPlace(false);
  EXPECT_NE(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
  EXPECT_NE(S_OK, Verb(OLEIVERB_UIACTIVATE));
  EXPECT_FALSE(container_.Called("OnInPlaceActivate"));
  EXPECT_EQ(nullptr, ControlWindow());
  EXPECT_EQ(nullptr, ::GetWindow(container_.Window(), GW_CHILD));

  // Verbs the control does not offer.
  container_.AllowInPlace(true);
  EXPECT_EQ(E_NOTIMPL, Verb(OLEIVERB_OPEN));
  EXPECT_EQ(E_NOTIMPL, Verb(OLEIVERB_PROPERTIES));
  EXPECT_EQ(nullptr, ControlWindow());

  // A control with no site at all has nowhere to activate.
  common::ComPtr<IOleObject> orphan = CreatePortal<IOleObject>();
  ASSERT_TRUE(orphan);
  EXPECT_TRUE(FAILED(orphan->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, -1, nullptr, nullptr)));
}

TEST_F(InPlaceActivationTest, UnknownPositiveVerbRunsThePrimaryVerb) {
  EXPECT_EQ(OLEOBJ_S_INVALIDVERB, Verb(7));
  EXPECT_TRUE(::IsWindow(ControlWindow()));
  EXPECT_TRUE(container_.Called("OnUIActivate"));
}

}  // namespace
}  // namespace portal_test
