// The prompt dialog's rules without its window: which icon a code shows,
// how a button set arranges the two buttons, which key clicks which button,
// and where everything goes, in twips.
#pragma once

#include <string>

namespace torvane {

enum class MessIcon { kNone, kQuery, kInfo, kExclam, kCrit };

// "?", "i", "!", "x" in any letter case; anything else shows no icon.
MessIcon IconForCode(const std::wstring& code);

struct ButtonSet {
  std::wstring captions[2];
  bool button1Visible = true;
  bool centred = false;   // button 0 alone, centred
  int escapeButton = -1;  // the button Esc presses, -1 none
};

// The buttons as designed: both shown, no Esc button.
ButtonSet DesignButtons();
// "Y/N", "OK", "Cancel" in any letter case; anything else keeps the design.
ButtonSet ButtonSetFor(const std::wstring& set);

// The button a key press clicks: Enter, Space, C, O, Y (either case) click
// button 0; N clicks button 1 when it is shown. -1: the key is passed on.
int ButtonForKey(wchar_t key, bool button1Visible);

// Positions in twips; left/top relative to the dialog's client area,
// dialog sizes are the outer window's.
struct MessBoxLayout {
  static constexpr int kDialogWidth = 6000;
  static constexpr int kDialogTop = 2000;  // from the top of the screen
  static constexpr int kFrameLeft = 960;
  static constexpr int kFrameTop = 240;
  static constexpr int kFrameWidth = 4680;
  static constexpr int kIconLeft = 300;
  static constexpr int kIconSize = 480;
  static constexpr int kLabelInset = 150;  // inside the frame, left and right
  static constexpr int kLabelTop = 300;    // inside the frame, below its caption
  static constexpr int kButtonWidth = 1200;
  static constexpr int kButtonHeight = 390;
  static constexpr int kDesignButtonLeft[2] = {1560, 3240};

  static constexpr int LabelWidth() { return kFrameWidth - 2 * kLabelInset; }

  int iconTop = 0;
  int labelTop = 0;
  int frameHeight = 0;
  int buttonTop = 0;          // both buttons
  int buttonLeft[2] = {0, 0};
  int dialogHeight = 0;
};

MessBoxLayout LayOutMessBox(int labelHeight, const ButtonSet& buttons);

}  // namespace torvane
