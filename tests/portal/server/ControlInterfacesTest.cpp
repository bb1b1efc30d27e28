// What a container finds on a fresh control: which interfaces it answers,
// and the fixed answers of the class, view, data and page interfaces.
#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>

#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace portal_test {
namespace {

constexpr DWORD kMiscStatus = 131473;

struct InterfaceCase {
  const IID* iid;
  const char* name;
};

const InterfaceCase kSupported[] = {
    {&IID_IUnknown, "IUnknown"},
    {&IID_IDispatch, "IDispatch"},
    {&IID_IVideoPortal, "IVideoPortal"},
    {&IID_IViewObjectEx, "IViewObjectEx"},
    {&IID_IViewObject2, "IViewObject2"},
    {&IID_IViewObject, "IViewObject"},
    {&IID_IOleInPlaceObjectWindowless, "IOleInPlaceObjectWindowless"},
    {&IID_IOleInPlaceObject, "IOleInPlaceObject"},
    {&IID_IOleWindow, "IOleWindow"},
    {&IID_IOleInPlaceActiveObject, "IOleInPlaceActiveObject"},
    {&IID_IOleControl, "IOleControl"},
    {&IID_IOleObject, "IOleObject"},
    {&IID_IPersistStreamInit, "IPersistStreamInit"},
    {&IID_IPersist, "IPersist"},
    {&IID_ISpecifyPropertyPages, "ISpecifyPropertyPages"},
    {&IID_IQuickActivate, "IQuickActivate"},
    {&IID_IPersistStorage, "IPersistStorage"},
    {&IID_IDataObject, "IDataObject"},
    {&IID_IProvideClassInfo, "IProvideClassInfo"},
    {&IID_IProvideClassInfo2, "IProvideClassInfo2"},
    {&IID_IConnectionPointContainer, "IConnectionPointContainer"},
};

const InterfaceCase kUnsupported[] = {
    {&IID_IPersistPropertyBag, "IPersistPropertyBag"},
    {&IID_IOleCache, "IOleCache"},
    {&IID_IOleCache2, "IOleCache2"},
    {&IID_IRunnableObject, "IRunnableObject"},
    {&IID_IOleLink, "IOleLink"},
    {&IID_IPersistFile, "IPersistFile"},
    {&IID_IPointerInactive, "IPointerInactive"},
    {&IID_IClassFactory, "IClassFactory"},
    {&IID_IPropertyNotifySink, "IPropertyNotifySink"},
};

class ControlInterfacesTest : public OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    control_ = CreatePortal<IUnknown>();
    ASSERT_TRUE(control_);
  }

  template <typename T>
  common::ComPtr<T> As() {
    common::ComPtr<T> result;
    EXPECT_EQ(S_OK, control_.As(&result));
    return result;
  }

  common::ComPtr<IUnknown> control_;
};

TEST_F(ControlInterfacesTest, AnswersEveryEmbeddingInterfaceWithOneIdentity) {
  for (const InterfaceCase& supported : kSupported) {
    SCOPED_TRACE(supported.name);
    common::ComPtr<IUnknown> answer;
    ASSERT_EQ(S_OK, control_->QueryInterface(*supported.iid, answer.put_void()));
    ASSERT_TRUE(answer);
    common::ComPtr<IUnknown> identity;
    ASSERT_EQ(S_OK, answer->QueryInterface(IID_IUnknown, identity.put_void()));
    EXPECT_EQ(control_.get(), identity.get());
    // Every interface leads back to every other one.
    common::ComPtr<IUnknown> back;
    EXPECT_EQ(S_OK, answer->QueryInterface(IID_IOleObject, back.put_void()));
  }
}

TEST_F(ControlInterfacesTest, RefusesUnrelatedInterfaces) {
  for (const InterfaceCase& unsupported : kUnsupported) {
    SCOPED_TRACE(unsupported.name);
    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, control_->QueryInterface(*unsupported.iid, &answer));
    EXPECT_EQ(nullptr, answer);
  }
  EXPECT_EQ(E_POINTER, control_->QueryInterface(IID_IOleObject, nullptr));
}

TEST_F(ControlInterfacesTest, ObjectDescribesTheRegisteredClass) {
  auto object = As<IOleObject>();
  DWORD status = 0;
  ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
  EXPECT_EQ(kMiscStatus, status);
  ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_ICON, &status));
  EXPECT_EQ(0u, status);
  CLSID classId = {};
  ASSERT_EQ(S_OK, object->GetUserClassID(&classId));
  EXPECT_EQ(CLSID_VideoPortal, classId);
  LPOLESTR userType = nullptr;
  ASSERT_EQ(S_OK, object->GetUserType(USERCLASSTYPE_FULL, &userType));
  ASSERT_NE(nullptr, userType);
  EXPECT_STREQ(L"Tessel VideoPortal Class", userType);
  ::CoTaskMemFree(userType);
  EXPECT_EQ(S_OK, object->IsUpToDate());
  EXPECT_EQ(E_NOTIMPL, object->InitFromData(nullptr, TRUE, 0));
  common::ComPtr<IDataObject> clip;
  EXPECT_EQ(E_NOTIMPL, object->GetClipboardData(0, clip.put()));
  SIZEL extent = {};
  EXPECT_TRUE(FAILED(object->GetExtent(DVASPECT_ICON, &extent)));
  EXPECT_TRUE(FAILED(object->SetExtent(DVASPECT_THUMBNAIL, &extent)));
}

TEST_F(ControlInterfacesTest, ClassInfoNamesTheCoclassAndItsDefaultSource) {
  auto classInfo = As<IProvideClassInfo2>();
  common::ComPtr<ITypeInfo> typeInfo;
  ASSERT_EQ(S_OK, classInfo->GetClassInfo(typeInfo.put()));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, typeInfo->GetTypeAttr(&attributes));
  EXPECT_EQ(CLSID_VideoPortal, attributes->guid);
  EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
  typeInfo->ReleaseTypeAttr(attributes);
  GUID source = {};
  ASSERT_EQ(S_OK, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
  EXPECT_EQ(DIID__IVideoPortalEvents, source);
  EXPECT_EQ(E_INVALIDARG, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 1, &source));
  EXPECT_EQ(E_POINTER, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr));
}

TEST_F(ControlInterfacesTest, OffersNoPropertyPagesDataOrMnemonics) {
  CAUUID pages = {5, reinterpret_cast<GUID*>(1)};
  ASSERT_EQ(S_OK, As<ISpecifyPropertyPages>()->GetPages(&pages));
  EXPECT_EQ(0u, pages.cElems);
  EXPECT_EQ(nullptr, pages.pElems);

  auto data = As<IDataObject>();
  FORMATETC format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  EXPECT_EQ(DV_E_FORMATETC, data->GetData(&format, &medium));
  EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&format));
  DWORD connection = 1;
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DAdvise(&format, 0, nullptr, &connection));
  EXPECT_EQ(0u, connection);
  common::ComPtr<IEnumFORMATETC> formats;
  EXPECT_TRUE(FAILED(data->EnumFormatEtc(DATADIR_GET, formats.put())));
  EXPECT_FALSE(formats);

  CONTROLINFO info = {sizeof(info), reinterpret_cast<HACCEL>(1), 7, 7};
  ASSERT_EQ(S_OK, As<IOleControl>()->GetControlInfo(&info));
  EXPECT_EQ(nullptr, info.hAccel);
  EXPECT_EQ(0, info.cAccel);
  EXPECT_EQ(S_OK, As<IOleControl>()->FreezeEvents(TRUE));
  EXPECT_EQ(S_OK, As<IOleControl>()->FreezeEvents(FALSE));

  auto windowless = As<IOleInPlaceObjectWindowless>();
  LRESULT result = 1;
  EXPECT_EQ(S_FALSE, windowless->OnWindowMessage(WM_LBUTTONDOWN, 0, 0, &result));
  common::ComPtr<IDropTarget> target;
  EXPECT_EQ(E_NOTIMPL, windowless->GetDropTarget(target.put()));
}

TEST_F(ControlInterfacesTest, ViewDrawsIntoTheGivenRectangleOnly) {
  auto view = As<IViewObjectEx>();
  DWORD status = 0;
  ASSERT_EQ(S_OK, view->GetViewStatus(&status));
  EXPECT_EQ(static_cast<DWORD>(VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND), status);

  // A white 40 x 30 bitmap; the control draws into its middle.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = -30;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  common::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  common::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  ASSERT_TRUE(bitmap && dc);
  common::SelectionGuard selected(dc.get(), bitmap.get());
  std::fill_n(static_cast<DWORD*>(bits), 40 * 30, 0xFFFFFFu);
  const RECTL bounds = {10, 10, 30, 20};
  ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &bounds, nullptr, nullptr, 0));
  ::GdiFlush();
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  const COLORREF expected = ::GetSysColor(COLOR_APPWORKSPACE);
  const DWORD expectedPixel = GetRValue(expected) << 16 | GetGValue(expected) << 8 | GetBValue(expected);
  EXPECT_EQ(expectedPixel, pixels[15 * 40 + 20] & 0xFFFFFF);
  EXPECT_EQ(0xFFFFFFu, pixels[5 * 40 + 5] & 0xFFFFFF);
  EXPECT_EQ(0xFFFFFFu, pixels[25 * 40 + 35] & 0xFFFFFF);

  EXPECT_EQ(E_INVALIDARG, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), nullptr, nullptr,
                                     nullptr, 0));
  EXPECT_EQ(DV_E_DVASPECT, view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc.get(), &bounds, nullptr,
                                      nullptr, 0));
}

TEST_F(ControlInterfacesTest, ViewHitTestsAndExtents) {
  auto view = As<IViewObjectEx>();
  const RECT bounds = {0, 0, 100, 50};
  DWORD hit = 0;
  ASSERT_EQ(S_OK, view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{99, 49}, 0, &hit));
  EXPECT_EQ(static_cast<DWORD>(HITRESULT_HIT), hit);
  ASSERT_EQ(S_OK, view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{100, 10}, 0, &hit));
  EXPECT_EQ(static_cast<DWORD>(HITRESULT_OUTSIDE), hit);
  const RECT overlapping = {90, 40, 200, 200};
  const RECT apart = {100, 50, 200, 200};
  ASSERT_EQ(S_OK, view->QueryHitRect(DVASPECT_CONTENT, &bounds, &overlapping, 0, &hit));
  EXPECT_EQ(static_cast<DWORD>(HITRESULT_HIT), hit);
  ASSERT_EQ(S_OK, view->QueryHitRect(DVASPECT_CONTENT, &bounds, &apart, 0, &hit));
  EXPECT_EQ(static_cast<DWORD>(HITRESULT_OUTSIDE), hit);

  SIZEL set = {2540, 1270};
  ASSERT_EQ(S_OK, As<IOleObject>()->SetExtent(DVASPECT_CONTENT, &set));
  SIZEL viewExtent = {};
  ASSERT_EQ(S_OK, view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewExtent));
  EXPECT_EQ(2540, viewExtent.cx);
  EXPECT_EQ(1270, viewExtent.cy);
  DVEXTENTINFO extentInfo = {};
  extentInfo.cb = sizeof(extentInfo);
  extentInfo.dwExtentMode = DVEXTENT_CONTENT;
  SIZEL natural = {};
  ASSERT_EQ(S_OK, view->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, &extentInfo, &natural));
  EXPECT_EQ(2540, natural.cx);
}

}  // namespace
}  // namespace portal_test
