// Process-wide state of Tovra2.dll.
#include "ModuleState.h"

namespace portal {
namespace {

HINSTANCE g_instance = nullptr;
HMODULE g_resourceModule = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
LONG g_busy = 0;
LONG g_menuOpen = 0;

}  // namespace

HINSTANCE ModuleState::Instance() { return g_instance; }
void ModuleState::SetInstance(HINSTANCE instance) { g_instance = instance; }
HMODULE ModuleState::ResourceModule() { return g_resourceModule; }
void ModuleState::SetResourceModule(HMODULE module) { g_resourceModule = module; }

void ModuleState::ObjectCreated() { ::InterlockedIncrement(&g_objects); }
void ModuleState::ObjectDestroyed() { ::InterlockedDecrement(&g_objects); }
void ModuleState::Lock() { ::InterlockedIncrement(&g_locks); }
void ModuleState::Unlock() { ::InterlockedDecrement(&g_locks); }
bool ModuleState::CanUnload() { return g_objects == 0 && g_locks == 0; }

bool ModuleState::MenuOpen() { return g_menuOpen != 0; }
void ModuleState::SetMenuOpen(bool open) { ::InterlockedExchange(&g_menuOpen, open ? 1 : 0); }

UINT ModuleState::ShowHideMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"WM_SHOW_HIDE_PUA");
  return message;
}

long ModuleState::BusyCount() { return g_busy; }
void ModuleState::EnterOperation() { ::InterlockedIncrement(&g_busy); }
void ModuleState::LeaveOperation() { ::InterlockedDecrement(&g_busy); }

}  // namespace portal
