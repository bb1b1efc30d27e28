// The control hosted by the system's ActiveX host window (atl.dll), an
// independent container: the host creates the control by its CLSID,
// activates it in place and tears it down with its window.
#include <gtest/gtest.h>

#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace portal_test {
namespace {

// The host window functions of the system's atl.dll, loaded at run time:
// MinGW ships an import library for them only in its 64-bit tool chain.
class AtlHost {
 public:
  using WinInit = BOOL(WINAPI*)();
  using CreateControl = HRESULT(WINAPI*)(LPCOLESTR name, HWND window, IStream* stream, IUnknown** container);
  using GetControl = HRESULT(WINAPI*)(HWND window, IUnknown** control);

  AtlHost() : module_(::LoadLibraryW(L"atl.dll")) {
    if (!module_) return;
    winInit = Function<WinInit>("AtlAxWinInit");
    createControl = Function<CreateControl>("AtlAxCreateControl");
    getControl = Function<GetControl>("AtlAxGetControl");
  }
  bool Loaded() const { return winInit && createControl && getControl; }

  WinInit winInit = nullptr;
  CreateControl createControl = nullptr;
  GetControl getControl = nullptr;

 private:
  template <typename F>
  F Function(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
  }

  common::UniqueModule module_;
};

constexpr LONG_PTR kPortalUserData = 667;

BOOL CALLBACK FindPortalWindow(HWND hwnd, LPARAM found) {
  if (::GetWindowLongPtrW(hwnd, GWLP_USERDATA) != kPortalUserData) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

// Makes the DLL's class object known to COM for this process, so that the
// host finds the control by CLSID without a registration.
class RegisteredClass {
 public:
  explicit RegisteredClass(IClassFactory* factory) {
    EXPECT_EQ(S_OK, ::CoRegisterClassObject(CLSID_VideoPortal, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                            &cookie_));
  }
  ~RegisteredClass() {
    if (cookie_) ::CoRevokeClassObject(cookie_);
  }
  RegisteredClass(const RegisteredClass&) = delete;
  RegisteredClass& operator=(const RegisteredClass&) = delete;

 private:
  DWORD cookie_ = 0;
};

using AtlHostingTest = OleTest;

TEST_F(AtlHostingTest, HostWindowActivatesTheControlInPlace) {
  AtlHost atl;
  ASSERT_TRUE(atl.Loaded()) << "atl.dll or its host window functions are missing";
  common::ComPtr<IClassFactory> factory = PortalClassFactory();
  ASSERT_TRUE(factory);
  RegisteredClass registered(factory.get());
  ASSERT_TRUE(atl.winInit());
  common::UniqueWindow host(::CreateWindowExW(0, L"AtlAxWin", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                              480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(host);

  wchar_t classId[40] = {};
  ASSERT_GT(::StringFromGUID2(CLSID_VideoPortal, classId, 40), 0);
  common::ComPtr<IUnknown> hostObject;
  ASSERT_EQ(S_OK, atl.createControl(classId, host.get(), nullptr, hostObject.put()));
  common::ComPtr<IUnknown> control;
  ASSERT_EQ(S_OK, atl.getControl(host.get(), control.put()));
  common::ComPtr<IVideoPortal> portal;
  EXPECT_EQ(S_OK, control.As(&portal));

  HWND portalWindow = nullptr;
  ::EnumChildWindows(host.get(), FindPortalWindow, reinterpret_cast<LPARAM>(&portalWindow));
  ASSERT_TRUE(portalWindow) << "the host did not activate the control in place";
  EXPECT_EQ(host.get(), ::GetParent(portalWindow));
  common::ComPtr<IOleWindow> oleWindow;
  ASSERT_EQ(S_OK, control.As(&oleWindow));
  HWND reported = nullptr;
  EXPECT_EQ(S_OK, oleWindow->GetWindow(&reported));
  EXPECT_EQ(portalWindow, reported);
  RECT bounds = {};
  ::GetWindowRect(portalWindow, &bounds);
  EXPECT_EQ(320, bounds.right - bounds.left);
  EXPECT_EQ(240, bounds.bottom - bounds.top);

  // Destroying the host closes and releases the control with its window.
  host.reset();
  EXPECT_FALSE(::IsWindow(portalWindow));
  HWND after = reinterpret_cast<HWND>(1);
  EXPECT_TRUE(FAILED(oleWindow->GetWindow(&after)));
}

}  // namespace
}  // namespace portal_test
