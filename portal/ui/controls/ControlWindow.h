// Base of the skinned controls' window objects: one C++ object per window,
// bound to it from WM_NCCREATE to WM_NCDESTROY, with the messages handed to
// a virtual HandleMessage. A control of its own class passes DefWindowProcW
// as its default procedure; a superclass of a system control passes that
// control's procedure.
#pragma once

#include <windows.h>

#include <memory>

namespace portal::controls {

// The module whose code registers the controls' classes (Tovra2.dll, or a
// test program that links the controls).
HINSTANCE ControlsInstance();

// Registers a class of our own once for this module.
bool EnsureWindowClass(const wchar_t* name, WNDPROC proc, HCURSOR cursor, UINT style = CS_DBLCLKS);
// Registers name as a superclass of the system class base once; *baseProc
// receives base's window procedure.
bool EnsureSuperclass(const wchar_t* base, const wchar_t* name, WNDPROC proc, WNDPROC* baseProc);

class ControlWindow {
 public:
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  HWND Handle() const { return hwnd_; }
  // The object bound to a window of one of the controls' classes.
  static ControlWindow* FromHandle(HWND hwnd);

 protected:
  ControlWindow() = default;

  // True while this object lives: copy it before calling out to an owner
  // that may destroy the control, and look at it afterwards.
  std::shared_ptr<const bool> AliveToken() const { return alive_; }

  bool CreateControl(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                     HWND parent, int id, WNDPROC defaultProc);
  void DestroyControl();

  // Every message of the bound window; unhandled ones go to CallDefault.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // The window has been destroyed (WM_NCDESTROY); Handle() is nullptr now.
  virtual void OnWindowDestroyed() {}

  // The window procedure of every control class.
  static LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC defaultProc);

 private:
  HWND hwnd_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  WNDPROC defaultProc_ = ::DefWindowProcW;
};

}  // namespace portal::controls
