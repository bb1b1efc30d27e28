// CButtonTEx in a test window: its class and default-button protocol, and
// its face read back from the screen: background by hover and bevel
// option, bevel swapped while pressed, default frame, focus rectangle,
// embossed disabled caption and the picture.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestWindowHost.h"
#include "WindowPixels.h"
#include "ui/controls/ButtonTEx.h"
#include "ui/controls/HlsColor.h"

namespace {

using namespace portal::controls;
using testing_support::TestWindowHost;
using testing_support::WindowPixels;

constexpr int kId = 42;
constexpr COLORREF kRed = RGB(255, 0, 0), kMagenta = RGB(255, 0, 255);

class ButtonTExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.Record(WM_COMMAND);
    ASSERT_TRUE(button_.Create(host_.Window(), kId, L"Go", {10, 10, 90, 36}));  // 80 x 26
    ::SendMessageW(button_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  }
  WindowPixels Face() { return WindowPixels(button_.Handle()); }
  int Count(COLORREF color) { return Face().Count({0, 0, 80, 26}, color); }

  TestWindowHost host_;
  CButtonTEx button_;
};

TEST_F(ButtonTExTest, ClassStyleAndDefaultButtonProtocol) {
  wchar_t className[64] = {};
  ::GetClassNameW(button_.Handle(), className, 64);
  EXPECT_STREQ(CButtonTEx::kClassName, className);
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(button_.Handle(), GWL_STYLE));
  EXPECT_EQ(DWORD(BS_OWNERDRAW), style & 0x0F);
  EXPECT_EQ(CButtonTEx::kDefaultStyle, style & CButtonTEx::kDefaultStyle) << "child, visible, clipping";
  EXPECT_EQ(LRESULT(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON), ::SendMessageW(button_.Handle(), WM_GETDLGCODE, 0, 0));

  ::SendMessageW(button_.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_TRUE(button_.IsDefault());
  EXPECT_EQ(LRESULT(DLGC_BUTTON | DLGC_DEFPUSHBUTTON), ::SendMessageW(button_.Handle(), WM_GETDLGCODE, 0, 0));
  EXPECT_EQ(LONG(BS_OWNERDRAW), ::GetWindowLongW(button_.Handle(), GWL_STYLE) & 0x0F) << "still drawn by itself";

  ::SendMessageW(button_.Handle(), BM_CLICK, 0, 0);
  const auto commands = host_.MessagesOf(WM_COMMAND);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(kId, BN_CLICKED), commands[0].wParam);

  CButtonTEx given;
  ASSERT_TRUE(given.Create(host_.Window(), 43, L"x", {0, 0, 20, 20}, WS_CHILD | BS_DEFPUSHBUTTON));
  EXPECT_TRUE(given.IsDefault());
  EXPECT_FALSE(::IsWindowVisible(given.Handle())) << "the caller's style is used as given";
}

TEST_F(ButtonTExTest, BackgroundBevelFrameAndFocus) {
  const ButtonColors& colors = button_.Colors();
  WindowPixels face = Face();
  EXPECT_EQ(colors.normalBackground, face.At(2, 2));
  EXPECT_EQ(colors.lightBevel, face.At(40, 0));
  EXPECT_EQ(colors.darkBevel, face.At(40, 25));
  EXPECT_GT(face.Count({0, 0, 80, 26}, colors.normalForeground), 5) << "the caption";

  ::SendMessageW(button_.Handle(), BM_SETSTATE, TRUE, 0);
  face = Face();
  EXPECT_EQ(colors.darkBevel, face.At(40, 0)) << "pressed";
  EXPECT_EQ(colors.lightBevel, face.At(40, 25));
  ::SendMessageW(button_.Handle(), BM_SETSTATE, FALSE, 0);

  ::SendMessageW(button_.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  face = Face();
  EXPECT_EQ(RGB(0, 0, 0), face.At(40, 0)) << "a default button is framed in black";
  EXPECT_EQ(RGB(0, 0, 0), face.At(0, 13));
  EXPECT_EQ(colors.lightBevel, face.At(40, 1)) << "the bevel inside the frame";

  EXPECT_EQ(64, face.Count({8, 4, 72, 5}, colors.normalBackground)) << "no focus rectangle yet";
  ::SetFocus(button_.Handle());
  face = Face();
  EXPECT_GT(face.Count({8, 4, 72, 5}, colors.normalBackground), 0);
  EXPECT_LT(face.Count({8, 4, 72, 5}, colors.normalBackground), 64) << "a dotted focus rectangle 3 pixels inside";

  ::SendMessageW(button_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button_.Hovering());
  EXPECT_EQ(colors.hoverBackground, Face().At(2, 3));
  EXPECT_GT(Count(colors.hoverForeground), 5) << "the caption in the hover colour";
  ::SendMessageW(button_.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(colors.normalBackground, Face().At(2, 3));
}

TEST_F(ButtonTExTest, BevelOptions) {
  const COLORREF plain = RGB(30, 160, 60);
  button_.SetPlainBackground(plain);
  button_.SetBevel(false, false);
  EXPECT_EQ(plain, Face().At(2, 2));
  EXPECT_EQ(plain, Face().At(40, 0)) << "no bevel";

  button_.SetBevel(true, true);
  EXPECT_EQ(plain, Face().At(40, 0)) << "bevel only while hovering";
  ::SendMessageW(button_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(button_.Colors().hoverBackground, Face().At(2, 2));
  EXPECT_EQ(button_.Colors().lightBevel, Face().At(40, 0));
}

TEST_F(ButtonTExTest, DisabledCaptionIsEmbossed) {
  struct Case {
    const char* what;
    COLORREF background;
    COLORREF light, dark;
  } cases[] = {
      {"own background", RGB(10, 120, 200), LightShadeOf(RGB(10, 120, 200)), DarkShadeOf(RGB(10, 120, 200))},
      {"system face", ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW)},
  };
  ::SetWindowTextW(button_.Handle(), L"Wide caption");
  ::EnableWindow(button_.Handle(), FALSE);
  for (const Case& c : cases) {
    button_.SetColor(kNormalBackground, c.background);
    // Bevels away, so that the two caption colours are all there is.
    button_.SetColor(kLightBevel, c.background);
    button_.SetColor(kDarkBevel, c.background);
    const WindowPixels face = Face();
    const RECT inside = {1, 1, 79, 25};
    EXPECT_GT(face.Count(inside, c.dark), 5) << c.what << ": the caption in the dark colour";
    EXPECT_GT(face.Count(inside, c.light), 5) << c.what << ": its light copy below right";
    EXPECT_EQ(0, face.Count(inside, button_.Colors().normalForeground)) << c.what;
  }
}

TEST_F(ButtonTExTest, PictureBesideTheCaptionGreyedWhenDisabled) {
  button_.SetBitmap(testing_support::SquareWithCorners(8, kRed, kMagenta), kMagenta);
  const WindowPixels face = Face();
  EXPECT_EQ(60, face.Count({0, 0, 80, 26}, kRed));
  int leftmostRed = 80;
  for (int x = 0; x < 80 && leftmostRed == 80; ++x) {
    if (face.At(x, 13) == kRed) leftmostRed = x;
  }
  EXPECT_LT(leftmostRed, 36) << "the picture comes first, the pair centred";
  EXPECT_EQ(kRed, face.At(leftmostRed + 1, 9)) << "picture centred vertically (rows 9..16)";
  EXPECT_NE(kRed, face.At(leftmostRed + 1, 8));

  ::SendMessageW(button_.Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(kRed, Face().At(leftmostRed + 8, 13)) << "moved right by one while pressed";
  EXPECT_NE(kRed, Face().At(leftmostRed, 13));
  ::SendMessageW(button_.Handle(), BM_SETSTATE, FALSE, 0);
  ::EnableWindow(button_.Handle(), FALSE);
  EXPECT_EQ(0, Count(kRed)) << "greyed";
}

}  // namespace
