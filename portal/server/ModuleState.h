// Process-wide state of Tovra2.dll: its instance handle, the resource
// module, outstanding objects and locks for DllCanUnloadNow, and the busy
// counter that every IVideoPortal operation holds while it runs.
#pragma once

#include <windows.h>

namespace portal {

class ModuleState {
 public:
  static HINSTANCE Instance();
  static void SetInstance(HINSTANCE instance);

  // LTovra2.dll beside the control; nullptr when it could not be loaded.
  static HMODULE ResourceModule();
  static void SetResourceModule(HMODULE module);

  static void ObjectCreated();
  static void ObjectDestroyed();
  static void Lock();
  static void Unlock();
  static bool CanUnload();

  // Whether a control's resolution menu is being tracked (at most one
  // popup menu tracks per process at a time).
  static bool MenuOpen();
  static void SetMenuOpen(bool open);

  // The registered message "WM_SHOW_HIDE_PUA" the camera menu broadcasts;
  // registered when the library is loaded.
  static UINT ShowHideMessage();

  // Number of IVideoPortal operations in progress on any control.
  static long BusyCount();
  static void EnterOperation();
  static void LeaveOperation();
};

// Holds the busy counter for the duration of one interface operation.
class BusyScope {
 public:
  BusyScope() { ModuleState::EnterOperation(); }
  ~BusyScope() { ModuleState::LeaveOperation(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

// Sets the process-wide menu-open flag while a menu is tracked.
class MenuOpenScope {
 public:
  MenuOpenScope() { ModuleState::SetMenuOpen(true); }
  ~MenuOpenScope() { ModuleState::SetMenuOpen(false); }
  MenuOpenScope(const MenuOpenScope&) = delete;
  MenuOpenScope& operator=(const MenuOpenScope&) = delete;
};

}  // namespace portal
