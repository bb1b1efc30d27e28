// Module entry and the class-object export of Tovra2.dll. Registration
// exports live in Registration.cpp.
#include <windows.h>

#include <commctrl.h>

#include <new>

#include "Tovra2.h"
#include "server/ClassFactory.h"
#include "server/ModuleState.h"
#include "server/ResourceModule.h"
#include "ui/controls/ControlMessages.h"

using portal::ModuleState;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ModuleState::SetInstance(instance);
    ::DisableThreadLibraryCalls(instance);
    ModuleState::SetResourceModule(portal::LoadResourceModule(instance));
    ModuleState::ShowHideMessage();  // registers the camera menu's broadcast
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0x2FFF};  // every class
    ::InitCommonControlsEx(&controls);
    portal::controls::RegisterClickMessage();
  } else if (reason == DLL_PROCESS_DETACH) {
    portal::FreeResourceModule(ModuleState::ResourceModule());
    ModuleState::SetResourceModule(nullptr);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_VideoPortal) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) portal::ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, object);
  factory->Release();
  return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ModuleState::CanUnload() ? S_OK : S_FALSE; }
