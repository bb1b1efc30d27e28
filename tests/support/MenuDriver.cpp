// Keyboard driving of a popup menu for tests.
#include "MenuDriver.h"

#include "UserInput.h"
#include "common/Strings.h"

namespace testing_support {
namespace {

MenuDriver* g_driver = nullptr;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  if (::lstrcmpW(name, L"#32768") != 0 || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::vector<std::string> ReadLines(HMENU menu) {
  std::vector<std::string> lines;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {sizeof(info), MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING};
    info.dwTypeData = text;
    info.cch = ARRAYSIZE(text);
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    std::string line = (info.fType & MFT_SEPARATOR) ? "-" : std::to_string(info.wID);
    if (text[0]) line += " " + common::WideToAnsi(text);
    if (info.fState & MFS_CHECKED) line += " checked";
    if (info.fState & MFS_DEFAULT) line += " default";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

MenuDriver::MenuDriver(UINT choose, Keys keys)
    : choose_(choose), keys_(keys), timer_(::SetTimer(nullptr, 0, 50, OnTimer)) {
  g_driver = this;
}

MenuDriver::~MenuDriver() {
  ::KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

void CALLBACK MenuDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND window = nullptr;
  if (!g_driver || g_driver->done_) return;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&window));
  const HMENU menu = window ? reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
  if (menu) g_driver->Step(window, menu);
}

// One key per tick, so that the menu has handled the one before.
void MenuDriver::Step(HWND menuWindow, HMENU menu) {
  if (lines_.empty()) lines_ = ReadLines(menu);
  const UINT state = ::GetMenuState(menu, choose_, MF_BYCOMMAND);
  UINT key = VK_DOWN;
  if (choose_ == 0 || state == 0xFFFFFFFF || ++steps_ > 60) {
    key = VK_ESCAPE;
  } else if (state & MF_HILITE) {
    key = VK_RETURN;
  }
  done_ = key != VK_DOWN;
  if (keys_ == Keys::kReal) {
    UserInput::Key(static_cast<WORD>(key));
  } else {
    ::PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
  }
}

}  // namespace testing_support
