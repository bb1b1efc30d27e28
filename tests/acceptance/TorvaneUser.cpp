// TorvaneUser: real clicks and keys through UserInput, the windows found by
// class and caption through TorvaneProcess.
#include "TorvaneUser.h"

#include <commctrl.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "FolderList.h"
#include "common/Strings.h"
#include "portal/ui/bar/PaneBar.h"
#include "TorvaneIds.h"
#include "UserInput.h"

namespace acceptance {

using shell_e2e::WaitUntil;
using shell_e2e::WindowText;
using testing_support::RemoteItemRect;
using testing_support::UserInput;

namespace {

constexpr int kSaveNameId = 0x47C;  // cmb13: the save dialog's name field
// How long a window may take to react to a click or key: the first Torvane
// of a fresh wineserver on a loaded machine takes seconds to connect its
// camera and to draw.
constexpr DWORD kPatienceMs = 15000;
constexpr DWORD kBarRepeatMs = portal::kPaneRepeatWindowMs + 100;  // and a margin

LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = static_cast<DWORD_PTR>(-1);
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

bool Centre(HWND window, UINT message, WPARAM item, POINT* point) {
  RECT rect{};
  if (!RemoteItemRect(window, message, item, &rect)) return false;
  *point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return true;
}

// The mouse away from every window of Torvane (its windows sit top left).
void MouseAway() {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = input.mi.dy = 65535;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

}  // namespace

std::wstring Item(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

bool Gone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

TorvaneUser::TorvaneUser(TorvaneProcess& torvane, std::wstring shots) : torvane_(torvane), shots_(std::move(shots)) {}

bool TorvaneUser::ToolbarButton(int index) {
  HWND toolbar = ::GetDlgItem(torvane_.MainWindow(), IDC_TOOLBAR);
  POINT centre{};
  if (!WaitUntil([&] { return torvane_.ButtonEnabled(index); }, kPatienceMs)) {
    ADD_FAILURE() << "toolbar button " << index << " stayed disabled";
    return false;
  }
  if (!Centre(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index - 1), &centre)) {
    ADD_FAILURE() << "no toolbar button " << index;
    return false;
  }
  // The click itself activates the window when this fails.
  UserInput::Activate(toolbar);
  // Over the button first: the toolbar takes a click once it tracks the
  // mouse over the button (its hot item). The mouse comes from one pixel
  // aside, so that the toolbar sees a move even when it already rests
  // there, and again while a closing window still lies over the toolbar.
  const POINT aside{centre.x + 1, centre.y + 1};
  const bool clicked = WaitUntil(
      [&] {
        UserInput::MoveTo(toolbar, aside);
        UserInput::MoveTo(toolbar, centre);
        return WaitUntil([&] { return SendTo(toolbar, TB_GETHOTITEM) == index - 1; }, 1000) &&
               UserInput::Click(toolbar, centre);
      },
      kPatienceMs);
  MouseAway();
  if (!clicked) ADD_FAILURE() << "toolbar button " << index << " never took the mouse";
  return clicked;
}

bool TorvaneUser::FileMenu(int entry, const wchar_t* shot) {
  if (!UserInput::Activate(torvane_.MainWindow())) return false;
  UserInput::Keys({VK_MENU, 'F'});
  HWND menu = torvane_.WaitForWindowWhere(L"#32768", [](HWND) { return true; }, kPatienceMs);
  if (!menu) return false;
  UserInput::Key(VK_DOWN, entry);  // the first entry is selected as the menu opens
  if (shot) {
    ::Sleep(200);  // the menu draws its new selection (a picture only, nothing checked)
    Shot(menu, shot);
  }
  UserInput::Key(VK_RETURN);
  return Gone(menu, kPatienceMs);
}

bool TorvaneUser::BarMenu(int pane, int downs, const wchar_t* shot) {
  const HWND bar = torvane_.PaneBar();
  POINT centre{};
  if (!bar || !Centre(bar, SB_GETRECT, static_cast<WPARAM>(pane), &centre)) {
    ADD_FAILURE() << "no pane " << pane << " in the bar";
    return false;
  }
  // The bar drops a press of a pane soon after the last one it passed on
  // (a bouncing button); a quick snapshot between two choices from the
  // same pane can be that short.
  if (pane == lastBarPane_) {
    const DWORD since = ::GetTickCount() - lastBarClick_;
    if (since < kBarRepeatMs) ::Sleep(kBarRepeatMs - since);
  }
  // The menu opens beside the pane, away from the mouse. A click that
  // still opened nothing (a loaded machine busy with the last picture) is
  // clicked again, as a user would; the waits are long enough that a menu
  // opening late is never closed by the next click.
  HWND menu = nullptr;
  bool clicked = false;
  WaitUntil(
      [&] {
        if (!UserInput::Click(bar, centre)) return false;
        clicked = true;
        lastBarPane_ = pane;
        lastBarClick_ = ::GetTickCount();
        menu = torvane_.WaitForWindowWhere(L"#32768", [](HWND) { return true; }, kPatienceMs / 3);
        return menu != nullptr;
      },
      kPatienceMs);
  if (!menu) {
    ADD_FAILURE() << (clicked ? "pane opened no menu: " : "another window lies over pane ") << pane;
    return false;
  }
  UserInput::Key(VK_DOWN, downs);
  if (shot) {
    ::Sleep(200);  // the menu draws its selection
    Shot(menu, shot);
  }
  UserInput::Key(VK_RETURN);
  // No bar tool tip is left over what the choice brings up.
  MouseAway();
  return Gone(menu, kPatienceMs);
}

HWND TorvaneUser::Dialog(const std::wstring& title, DWORD timeoutMs) const {
  return torvane_.WaitForDialog(title, timeoutMs);
}

HWND TorvaneUser::PopUp(const std::wstring& frame, DWORD timeoutMs) const {
  return torvane_.WaitForDialogWhere([&](HWND dialog) { return Item(dialog, IDC_POP_FRAME) == frame; }, timeoutMs);
}

std::wstring TorvaneUser::Answer(const std::wstring& title, int buttonId, const wchar_t* shot) {
  HWND prompt = Dialog(title);
  if (!prompt) return std::wstring();
  const std::wstring message = TorvaneProcess::PromptMessage(prompt);
  if (shot) Shot(prompt, shot);
  if (!Press(prompt, buttonId)) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(prompt, buttonId), &rect);
    HWND over = ::WindowFromPoint(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ADD_FAILURE() << "button " << buttonId << " of \"" << common::WideToAnsi(title) << "\" took no click; over it: \""
                  << common::WideToAnsi(WindowText(::GetAncestor(over, GA_ROOT))) << "\"";
    return std::wstring();
  }
  if (!Gone(prompt)) {
    ADD_FAILURE() << "\"" << common::WideToAnsi(title) << "\" stayed after its button was pressed";
    return std::wstring();
  }
  return message;
}

bool TorvaneUser::Press(HWND dialog, int id) const {
  HWND control = ::GetDlgItem(dialog, id);
  if (!WaitUntil([&] { return ::IsWindowVisible(control) && ::IsWindowEnabled(control); }, kPatienceMs)) return false;
  // Options and check boxes are clicked on their mark, as a user does.
  const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  const bool marked = type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
                      type == BS_CHECKBOX;
  // A window that is closing may still lie over the control for a moment:
  // the click waits until it would land on the control's own window.
  if (!marked) return WaitUntil([&] { return UserInput::Click(control); }, kPatienceMs);
  RECT client{};
  ::GetClientRect(control, &client);
  return WaitUntil([&] { return UserInput::Click(control, POINT{6, client.bottom / 2}); }, kPatienceMs) &&
         WaitUntil([&] { return SendTo(control, BM_GETCHECK) == BST_CHECKED; }, kPatienceMs);
}

// Types the text over the field's own, again when the window replaced it
// meanwhile (the save dialog fills its name field late on a loaded
// machine), as a user would type it again.
static bool TypeOver(HWND field, const std::wstring& text) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!UserInput::Replace(field, text)) return false;
    if (WaitUntil([&] { return WindowText(field) == text; }, kPatienceMs / 3)) return true;
  }
  return false;
}

bool TorvaneUser::Fill(HWND dialog, int id, const std::wstring& text) const {
  return TypeOver(::GetDlgItem(dialog, id), text);
}

bool TorvaneUser::SaveAs(HWND saveDialog, const std::wstring& path) const {
  HWND name = ::GetDlgItem(saveDialog, kSaveNameId);
  if (!name) return false;
  if (!TypeOver(name, path)) {
    ADD_FAILURE() << "the name field reads " << common::WideToAnsi(WindowText(name));
    return false;
  }
  UserInput::Key(VK_RETURN);
  return Gone(saveDialog);
}

void TorvaneUser::Shot(HWND window, const std::wstring& name) const {
  torvane_.SaveWindowPicture(shots_ + L"torvane-" + name + L".bmp", window);
}

}  // namespace acceptance
