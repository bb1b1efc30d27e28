// The prompt dialog.
#include "frmMessBox.h"

#include <algorithm>

#include "Global.h"

namespace torvane {

namespace {

HICON IconImage(int index) {
  static const LPCWSTR kIcons[4] = {IDI_QUESTION, IDI_INFORMATION, IDI_EXCLAMATION, IDI_HAND};
  return ::LoadIconW(nullptr, kIcons[index]);  // shared system icons: never destroyed
}

}  // namespace

frmMessBox::frmMessBox(const MessBoxRequest& request)
    : Form(IDD_MESSBOX), request_(request), buttons_(ButtonSetFor(request.buttons)), icon_(IconForCode(request.icon)) {}

void frmMessBox::Show(HWND owner, const MessBoxRequest& request) {
  frmMessBox form(request);
  form.ShowModal(owner);
}

void frmMessBox::OnLoad() {
  SetText(kFrameId, request_.title);
  SetText(kMessageId, request_.message);
  for (int i = 0; i < 4; ++i) SetItemIcon(kIconIds[i], IconImage(i));
  for (int i = 0; i < 2; ++i) SetText(kButtonIds[i], buttons_.captions[i]);
  ShowItem(kButtonIds[1], buttons_.button1Visible);
  ApplyLayout();
  Focus(kButtonIds[0]);
}

void frmMessBox::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kButtonIds[0]) {
    Choose(0);
  } else if (id == kButtonIds[1] && buttons_.button1Visible) {
    Choose(1);
  }
}

void frmMessBox::OnCancel() {
  // Esc, the window's close command or an automated cancel: the Esc button
  // if the set has one, else nothing.
  if (buttons_.escapeButton >= 0) Choose(buttons_.escapeButton);
}

void frmMessBox::Choose(int button) {
  Global().MessBoxChoice = buttons_.captions[button];
  Unload();
}

int frmMessBox::MeasureMessageHeight() const {
  common::WindowDc dc(Window());
  HFONT font = reinterpret_cast<HFONT>(::SendDlgItemMessageW(Window(), kMessageId, WM_GETFONT, 0, 0));
  common::SelectionGuard selection(dc.get(), font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  RECT bounds{0, 0, twips().ToPixelsX(MessBoxLayout::LabelWidth()), 0};
  ::DrawTextW(dc.get(), request_.message.c_str(), static_cast<int>(request_.message.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  // The label grows with its text but is never less than one line.
  const int pixels = std::max<int>(bounds.bottom - bounds.top, metrics.tmHeight);
  return twips().FromPixelsY(pixels);
}

void frmMessBox::Place(int id, int left, int top, int width, int height) {
  PlaceItem(id, TwipsBox{double(left), double(top), double(width), double(height)});
}

void frmMessBox::ApplyLayout() {
  using L = MessBoxLayout;
  const int labelHeight = MeasureMessageHeight();
  const MessBoxLayout layout = LayOutMessBox(labelHeight, buttons_);

  const int width = twips().ToPixelsX(L::kDialogWidth);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  ::SetWindowPos(Window(), nullptr, left, twips().ToPixelsY(L::kDialogTop), width,
                 twips().ToPixelsY(layout.dialogHeight), SWP_NOZORDER | SWP_NOACTIVATE);

  Place(kFrameId, L::kFrameLeft, L::kFrameTop, L::kFrameWidth, layout.frameHeight);
  Place(kMessageId, L::kFrameLeft + L::kLabelInset, layout.labelTop, L::LabelWidth(), labelHeight);
  if (icon_ != MessIcon::kNone) {
    const int id = kIconIds[static_cast<int>(icon_) - 1];
    Place(id, L::kIconLeft, layout.iconTop, L::kIconSize, L::kIconSize);
    ShowItem(id, true);
  }
  for (int i = 0; i < 2; ++i) Place(kButtonIds[i], layout.buttonLeft[i], layout.buttonTop, L::kButtonWidth, L::kButtonHeight);
}

bool frmMessBox::PreviewKey(const MSG& msg) {
  wchar_t key = 0;
  if (msg.message == WM_KEYDOWN) {
    if (msg.wParam == VK_ESCAPE) {
      OnCancel();
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

}  // namespace torvane
