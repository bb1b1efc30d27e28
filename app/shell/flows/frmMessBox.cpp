// The prompt dialog window.
#include "frmMessBox.h"

#include <algorithm>
#include <vector>

#include "Global.h"

namespace torvane {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME;

// An in-memory template of an empty dialog: the controls are made in code.
std::vector<WORD> EmptyDialogTemplate(const wchar_t* caption) {
  DLGTEMPLATE header{};
  header.style = kDialogStyle;
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
  std::copy_n(reinterpret_cast<const WORD*>(&header), words.size(), words.begin());
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  for (const wchar_t* c = caption; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

HICON IconImage(int index) {
  static const LPCWSTR kIcons[4] = {IDI_QUESTION, IDI_INFORMATION, IDI_EXCLAMATION, IDI_HAND};
  return ::LoadIconW(nullptr, kIcons[index]);  // shared system icons: never destroyed
}

}  // namespace

frmMessBox::frmMessBox(const MessBoxRequest& request)
    : request_(request),
      buttons_(ButtonSetFor(request.buttons)),
      icon_(IconForCode(request.icon)),
      twips_(Twips::Screen()) {}

void frmMessBox::ShowModal(HWND owner, const MessBoxRequest& request) {
  frmMessBox form(request);
  const std::vector<WORD> dialogTemplate = EmptyDialogTemplate(L"Torvane");
  // Declared after the form: the window goes before the object it calls.
  common::UniqueWindow window(::CreateDialogIndirectParamW(
      ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
      DialogProc, reinterpret_cast<LPARAM>(&form)));
  if (!window) return;
  form.RunModalLoop(owner);
}

INT_PTR CALLBACK frmMessBox::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      return reinterpret_cast<frmMessBox*>(lParam)->OnInitDialog(hwnd);
    }
    auto* self = reinterpret_cast<frmMessBox*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
      case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) self->OnCommand(LOWORD(wParam));
        return TRUE;
      case WM_CLOSE:
        self->OnCommand(IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    return FALSE;  // nothing may leave a window procedure
  }
}

BOOL frmMessBox::OnInitDialog(HWND hwnd) {
  hwnd_ = hwnd;
  CreateControls();
  ApplyLayout();
  ::SetFocus(::GetDlgItem(hwnd_, kButtonIds[0]));
  return FALSE;  // the focus is set
}

void frmMessBox::OnCommand(int id) {
  if (id == kButtonIds[0]) {
    Choose(0);
  } else if (id == kButtonIds[1]) {
    if (buttons_.button1Visible) Choose(1);
  } else if (id == IDCANCEL) {
    // Esc, the window's close command or an automated cancel: the Esc
    // button if the set has one, else nothing.
    if (buttons_.escapeButton >= 0) Choose(buttons_.escapeButton);
  }
}

void frmMessBox::Choose(int button) {
  Global().MessBoxChoice = buttons_.captions[button];
  done_ = true;
}

void frmMessBox::CreateControls() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
  }
  AddControl(L"BUTTON", request_.title, BS_GROUPBOX | WS_VISIBLE, kFrameId);
  AddControl(L"STATIC", request_.message, SS_LEFT | SS_NOPREFIX | WS_VISIBLE, kMessageId);
  for (int i = 0; i < 4; ++i) {
    HWND image = AddControl(L"STATIC", L"", SS_ICON, kIconIds[i]);  // hidden until chosen
    ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(IconImage(i)), 0);
  }
  AddControl(L"BUTTON", buttons_.captions[0], BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, kButtonIds[0]);
  AddControl(L"BUTTON", buttons_.captions[1],
             BS_PUSHBUTTON | WS_TABSTOP | (buttons_.button1Visible ? WS_VISIBLE : 0), kButtonIds[1]);
}

HWND frmMessBox::AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id) {
  HWND control = ::CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | style, 0, 0, 0, 0, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (control && font_) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

int frmMessBox::MeasureMessageHeight() const {
  common::WindowDc dc(hwnd_);
  common::SelectionGuard selection(dc.get(), font_.get());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  RECT bounds{0, 0, twips_.ToPixelsX(MessBoxLayout::LabelWidth()), 0};
  ::DrawTextW(dc.get(), request_.message.c_str(), static_cast<int>(request_.message.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  // The label grows with its text but is never less than one line.
  const int pixels = std::max<int>(bounds.bottom - bounds.top, metrics.tmHeight);
  return twips_.FromPixelsY(pixels);
}

void frmMessBox::Place(int id, int left, int top, int width, int height) const {
  ::MoveWindow(::GetDlgItem(hwnd_, id), twips_.ToPixelsX(left), twips_.ToPixelsY(top), twips_.ToPixelsX(width),
               twips_.ToPixelsY(height), FALSE);
}

void frmMessBox::ApplyLayout() {
  using L = MessBoxLayout;
  const int labelHeight = MeasureMessageHeight();
  const MessBoxLayout layout = LayOutMessBox(labelHeight, buttons_);

  const int width = twips_.ToPixelsX(L::kDialogWidth);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  ::SetWindowPos(hwnd_, nullptr, left, twips_.ToPixelsY(L::kDialogTop), width,
                 twips_.ToPixelsY(layout.dialogHeight), SWP_NOZORDER | SWP_NOACTIVATE);

  Place(kFrameId, L::kFrameLeft, L::kFrameTop, L::kFrameWidth, layout.frameHeight);
  Place(kMessageId, L::kFrameLeft + L::kLabelInset, layout.labelTop, L::LabelWidth(), labelHeight);
  if (icon_ != MessIcon::kNone) {
    const int id = kIconIds[static_cast<int>(icon_) - 1];
    Place(id, L::kIconLeft, layout.iconTop, L::kIconSize, L::kIconSize);
    ::ShowWindow(::GetDlgItem(hwnd_, id), SW_SHOWNA);
  }
  for (int i = 0; i < 2; ++i) {
    Place(kButtonIds[i], layout.buttonLeft[i], layout.buttonTop, L::kButtonWidth, L::kButtonHeight);
  }
}

bool frmMessBox::PreviewKey(const MSG& msg) {
  if (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)) return false;
  wchar_t key = 0;
  if (msg.message == WM_KEYDOWN) {
    if (msg.wParam == VK_ESCAPE) {
      OnCommand(IDCANCEL);
      return true;
    }
    // Enter and Space act before the focused button could take them.
    if (msg.wParam == VK_RETURN) key = L'\r';
    else if (msg.wParam == VK_SPACE) key = L' ';
    else return false;
  } else if (msg.message == WM_CHAR) {
    key = static_cast<wchar_t>(msg.wParam);
  } else {
    return false;
  }
  const int button = ButtonForKey(key, buttons_.button1Visible);
  if (button >= 0) {
    Choose(button);
    return true;
  }
  // N without a visible second button does nothing (the hidden button
  // keeps its "&No" mnemonic, which must not fire).
  return key == L'N' || key == L'n';
}

void frmMessBox::RunModalLoop(HWND owner) {
  // Only an owner that is enabled now is disabled and enabled again: a
  // prompt over another modal dialog leaves that dialog's state alone.
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  MSG msg;
  while (!done_ && ::IsWindow(hwnd_)) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
    if (got < 0) break;
    if (PreviewKey(msg)) continue;
    if (!::IsDialogMessageW(hwnd_, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (disableOwner) ::EnableWindow(owner, TRUE);
}

}  // namespace torvane
