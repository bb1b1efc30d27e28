// The prompt dialog's rules.
#include "MessBoxLayout.h"

#include "common/Strings.h"

namespace torvane {

namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

}  // namespace

MessIcon IconForCode(const std::wstring& code) {
  const std::wstring lower = common::ToLower(code);
  if (lower == L"?") return MessIcon::kQuery;
  if (lower == L"i") return MessIcon::kInfo;
  if (lower == L"!") return MessIcon::kExclam;
  if (lower == L"x") return MessIcon::kCrit;
  return MessIcon::kNone;
}

ButtonSet DesignButtons() {
  ButtonSet set;
  set.captions[0] = L"&Yes";
  set.captions[1] = L"&No";
  return set;
}

ButtonSet ButtonSetFor(const std::wstring& name) {
  ButtonSet set = DesignButtons();
  const std::wstring upper = Upper(name);
  if (upper == L"Y/N") {
    set.escapeButton = 1;
  } else if (upper == L"OK" || upper == L"CANCEL") {
    const bool cancel = upper == L"CANCEL";
    set.captions[0] = cancel ? L"&Cancel" : L"&OK";
    set.button1Visible = false;
    set.centred = true;
    set.escapeButton = cancel ? 0 : -1;
  }
  return set;
}

int ButtonForKey(wchar_t key, bool button1Visible) {
  switch (key) {
    case L'\r': case L' ':
    case L'C': case L'O': case L'Y':
    case L'c': case L'o': case L'y':
      return 0;
    case L'N': case L'n':
      return button1Visible ? 1 : -1;
    default:
      return -1;
  }
}

MessBoxLayout LayOutMessBox(int labelHeight, const ButtonSet& buttons) {
  MessBoxLayout layout;
  layout.iconTop = MessBoxLayout::kFrameTop;  // the icon stands level with the frame
  layout.labelTop = MessBoxLayout::kFrameTop + MessBoxLayout::kLabelTop;
  layout.frameHeight = labelHeight + 500;
  const int frameBottom = MessBoxLayout::kFrameTop + layout.frameHeight;
  layout.buttonTop = frameBottom + 200;
  if (buttons.centred) {
    layout.buttonLeft[0] = (MessBoxLayout::kDialogWidth - MessBoxLayout::kButtonWidth) / 2;
  } else {
    layout.buttonLeft[0] = MessBoxLayout::kDesignButtonLeft[0];
  }
  layout.buttonLeft[1] = MessBoxLayout::kDesignButtonLeft[1];
  layout.dialogHeight = frameBottom + 600 + MessBoxLayout::kButtonHeight + 600;
  return layout;
}

}  // namespace torvane
