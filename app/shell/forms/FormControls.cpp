// Form: its controls, control arrays, tooltips, fonts and placement in twips.
#include "Form.h"

#include <commctrl.h>

#include <cmath>

#include "AppError.h"

namespace torvane {

int Form::PixelsX(double twips) const {
  return static_cast<int>(std::lround(twips * twips_.ToPixelsX(14400) / 14400.0));
}

int Form::PixelsY(double twips) const {
  return static_cast<int>(std::lround(twips * twips_.ToPixelsY(14400) / 14400.0));
}

void Form::MoveTo(int leftTwips, int topTwips) {
  ::SetWindowPos(hwnd_, nullptr, twips_.ToPixelsX(leftTwips), twips_.ToPixelsY(topTwips), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::TwipsBox Form::ItemBox(int id) const {
  RECT rect{};
  ::GetWindowRect(Item(id), &rect);
  ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
  const double perPixelX = 1440.0 / (twips_.ToPixelsX(14400) / 10.0);
  const double perPixelY = 1440.0 / (twips_.ToPixelsY(14400) / 10.0);
  return TwipsBox{rect.left * perPixelX, rect.top * perPixelY, (rect.right - rect.left) * perPixelX,
                  (rect.bottom - rect.top) * perPixelY};
}

void Form::PlaceItem(int id, const TwipsBox& box) {
  // Edges are converted, not sizes, so that neighbours meet where their twips meet.
  const int left = PixelsX(box.left);
  const int top = PixelsY(box.top);
  ::SetWindowPos(Item(id), nullptr, left, top, PixelsX(box.left + box.width) - left,
                 PixelsY(box.top + box.height) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Form::Item(int id) const { return hwnd_ ? ::GetDlgItem(hwnd_, id) : nullptr; }

std::wstring WindowText(HWND window) {
  if (!window) return std::wstring();
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::wstring Form::Text(int id) const { return WindowText(Item(id)); }

void Form::SetText(int id, const std::wstring& text) {
  if (HWND control = Item(id)) ::SetWindowTextW(control, text.c_str());
}

bool Form::Checked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Form::SetChecked(int id, bool checked) { ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void Form::ShowItem(int id, bool visible) {
  if (HWND control = Item(id)) ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

bool Form::ItemVisible(int id) const {
  HWND control = Item(id);
  return control && (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Form::EnableItem(int id, bool enabled) {
  if (HWND control = Item(id)) ::EnableWindow(control, enabled ? TRUE : FALSE);
}

void Form::Focus(int id) {
  // Through the dialog manager, so that the default button and an edit
  // field's selection follow the focus as with the Tab key.
  if (HWND control = Item(id)) ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void Form::RedrawItem(int id) {
  if (HWND control = Item(id)) ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Form::AddTooltip(int id, const wchar_t* text) {
  HWND control = Item(id);
  if (!tips_ || !control) return;
  auto add = [&](HWND tool) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);  // the tooltip keeps its own copy
    ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  };
  add(control);
  // An editable drop-down list is covered by its edit field.
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof(combo);
  if (::GetComboBoxInfo(control, &combo) && combo.hwndItem && combo.hwndItem != control) add(combo.hwndItem);
}

void Form::SetItemFont(int id, const wchar_t* face, int points) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(points, twips_.ToPixelsY(1440), 72);
  font.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  common::UniqueFont created(::CreateFontIndirectW(&font));
  if (!created) return;
  ::SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), TRUE);
  fonts_.push_back(std::move(created));
}

void Form::SetItemIcon(int id, int iconResource) {
  // Shared: the system keeps one copy and frees it with the program.
  SetItemIcon(id, static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                                  IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED)));
}

void Form::SetItemIcon(int id, HICON sharedIcon) {
  ::SendDlgItemMessageW(hwnd_, id, STM_SETICON, reinterpret_cast<WPARAM>(sharedIcon), 0);
}

HWND Form::Element(int baseId, int index) const {
  return index >= 0 && index <= kMaxArrayIndex ? Item(baseId + index) : nullptr;
}

HWND Form::CreateElement(int baseId, int index) {
  if (index < 0 || index > kMaxArrayIndex) throw AppError{kErrInvalidArrayIndex, L"Invalid control array index"};
  if (Element(baseId, index)) throw AppError{kErrElementLoaded, L"Object already loaded"};
  HWND first = Item(baseId);
  if (!first) throw AppError{kErrInvalidArrayIndex, L"Invalid control array index"};
  wchar_t className[64] = {};
  ::GetClassNameW(first, className, 64);
  RECT place{};
  ::GetWindowRect(first, &place);
  ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(first, GWL_STYLE)) & ~WS_VISIBLE;
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(first, GWL_EXSTYLE));
  HWND element = ::CreateWindowExW(exStyle, className, Text(baseId).c_str(), style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(baseId + index)),
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (!element) throw AppError{7, L"Out of memory"};
  ::SendMessageW(element, WM_SETFONT, ::SendMessageW(first, WM_GETFONT, 0, 0), FALSE);
  ::SetWindowPos(element, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return element;
}

}  // namespace torvane
