// Tooltips for the control's windows: one "tooltips_class32" window made
// on first use, showing tips also for inactive windows, at most 200 pixels
// wide, popping down after 10,000 ms. Tools are a rectangle of a window's
// client area (system delays) or a whole child window (shown after 10 ms).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "common/UniqueHandle.h"

namespace portal::controls {

class Tooltips {
 public:
  static constexpr int kMaxTipWidth = 200;
  static constexpr int kAutoPopMs = 10000;
  static constexpr int kChildWindowDelayMs = 10;

  Tooltips() = default;
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // A tip for rect of window's client area, as tool id of that window.
  bool AddRectTool(HWND window, UINT_PTR id, const RECT& rect, const std::wstring& text);
  // A tip for the whole of child.
  bool AddWindowTool(HWND child, const std::wstring& text);
  // New text of a tool. A window tool is named by the child's parent and
  // the child's handle as id.
  void SetToolText(HWND window, UINT_PTR id, const std::wstring& text);
  void RemoveTool(HWND window, UINT_PTR id);

  HWND Handle() const { return window_.get(); }

 private:
  bool EnsureWindow(HWND owner);
  bool AddTool(TTTOOLINFOW* tool, const std::wstring& text);

  common::UniqueWindow window_;
};

}  // namespace portal::controls
