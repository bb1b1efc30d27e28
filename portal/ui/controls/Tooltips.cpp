// The tooltip window and its tools.
#include "ui/controls/Tooltips.h"

#include <commctrl.h>

#include "ui/controls/ControlWindow.h"

namespace portal::controls {

bool Tooltips::EnsureWindow(HWND owner) {
  if (window_) return true;
  window_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ControlsInstance(),
                                  nullptr));
  if (!window_) return false;
  ::SendMessageW(window_.get(), TTM_ACTIVATE, TRUE, 0);
  ::SendMessageW(window_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  ::SendMessageW(window_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kAutoPopMs, 0));
  return true;
}

bool Tooltips::AddTool(TTTOOLINFOW* tool, const std::wstring& text) {
  tool->cbSize = sizeof(*tool);
  tool->uFlags |= TTF_SUBCLASS;
  tool->lpszText = const_cast<wchar_t*>(text.c_str());
  return EnsureWindow(tool->hwnd) &&
         ::SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(tool)) != FALSE;
}

bool Tooltips::AddRectTool(HWND window, UINT_PTR id, const RECT& rect, const std::wstring& text) {
  TTTOOLINFOW tool = {};
  tool.hwnd = window;
  tool.uId = id;
  tool.rect = rect;
  return AddTool(&tool, text);
}

bool Tooltips::AddWindowTool(HWND child, const std::wstring& text) {
  TTTOOLINFOW tool = {};
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = ::GetParent(child);
  tool.uId = reinterpret_cast<UINT_PTR>(child);
  if (!AddTool(&tool, text)) return false;
  // The automatic delay also sets the pop-down to ten times itself, which
  // would take a tip away after a tenth of a second: the pop-down is set
  // back to its own value.
  ::SendMessageW(window_.get(), TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(kChildWindowDelayMs, 0));
  ::SendMessageW(window_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kAutoPopMs, 0));
  return true;
}

void Tooltips::SetToolText(HWND window, UINT_PTR id, const std::wstring& text) {
  if (!window_) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window;
  tool.uId = id;
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::RemoveTool(HWND window, UINT_PTR id) {
  if (!window_) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window;
  tool.uId = id;
  ::SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace portal::controls
