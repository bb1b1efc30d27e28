// Real input into the windows of another process, as a user gives it:
// SendInput moves the mouse onto a control and clicks it, presses keys and
// types text into whatever has the keyboard focus. Every step that needs a
// state first (the window in front, the focus in a field) waits for it
// within a bound and says whether it came.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace testing_support {

// A rectangle a control fills in for a message (TB_GETITEMRECT,
// LB_GETITEMRECT) when it belongs to another process: the RECT is placed in
// that process's memory. Client coordinates of window; false on failure.
bool RemoteItemRect(HWND window, UINT message, WPARAM item, RECT* rect);

// The window of the other process that has the keyboard focus, or null.
HWND FocusOf(HWND anyWindowOfThread);

class UserInput {
 public:
  // Brings window's top-level window to the front so that keys reach it.
  static bool Activate(HWND window, DWORD timeoutMs = 5000);
  // Moves the mouse to point (client coordinates of window) and clicks the
  // left button clicks times. False when another window lies on the point.
  static bool Click(HWND window, POINT point, int clicks = 1);
  static bool Click(HWND window);  // at its centre
  static void MoveTo(HWND window, POINT point);  // the mouse only
  static bool RightClick(HWND window);
  // Clicks into the field, waits for the focus there, selects all its
  // text and types text over it.
  static bool Replace(HWND field, const std::wstring& text);
  // Presses the keys together (modifiers first) and lets them go.
  static void Keys(std::initializer_list<WORD> keys);
  static void Key(WORD key, int times = 1);
  static void Type(const std::wstring& text);  // characters, not key codes
};

}  // namespace testing_support
