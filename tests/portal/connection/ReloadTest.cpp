// A client may free Tovra2.dll (DllCanUnloadNow agrees once its controls
// are gone) and load it again in the same apartment. The control registers
// the engine's proxy/stub factory with COM, so its code must stay loaded
// for as long as the apartment: a second round must work, not crash.
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

#include "PortalLibrary.h"
#include "TestContainer.h"
#include "Tovra2.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"
#include "common/UniqueBstr.h"
#include "common/UniqueHandle.h"

namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

// Hosts a control from module, prepares it with the engine, and connects
// the synthetic camera; returns the portal result of ConnectCamera2.
LONG PrepareAndConnect(HMODULE module) {
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  common::ComPtr<IClassFactory> factory;
  if (!getClassObject || FAILED(getClassObject(CLSID_VideoPortal, IID_IClassFactory, factory.put_void()))) return -1;
  common::ComPtr<IOleObject> object;
  if (FAILED(factory->CreateInstance(nullptr, IID_IOleObject, object.put_void()))) return -2;
  factory.reset();
  portal_test::TestContainer container;
  object->SetClientSite(&container);
  object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, -1, container.Window(),
                 &portal_test::TestContainer::kPosition);
  common::ComPtr<IVideoPortal> portal;
  object.As(&portal);
  LONG prepared = 0, connected = 0;
  const common::UniqueBstr name(L"ReloadTest");
  portal->PrepareControl(name.get(), nullptr, 0, &prepared);
  portal->ConnectCamera2(&connected);
  LONG isConnected = 0;
  portal->get_CameraConnected(&isConnected);
  portal.reset();
  object->Close(OLECLOSE_NOSAVE);
  object->SetClientSite(nullptr);
  object.reset();
  return prepared == 1 && isConnected == 1 ? 1 : 0;
}

TEST(Reload, TheControlSurvivesBeingFreedAndLoadedAgain) {
  const common::OleInit ole;
  ASSERT_EQ(S_OK, ole.Result());
  const std::wstring path = portal_test::PortalLibraryPath();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    HMODULE module = ::LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(1, PrepareAndConnect(module));
    auto canUnload =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    EXPECT_EQ(S_OK, canUnload()) << "no control and no lock is left";
    ::FreeLibrary(module);
    EXPECT_NE(nullptr, ::GetModuleHandleW(path.c_str())) << "COM still holds code of the control";
  }
}

}  // namespace
