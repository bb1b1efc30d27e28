// The controls' logic without windows: colour shading against Python's
// colorsys figures, default and changed button colours, the bar's font,
// pressed colour and pane widths, and the popup panel's side choice and
// slide steps.
#include <gtest/gtest.h>

#include <cstring>

#include "ui/controls/ButtonColors.h"
#include "ui/controls/HlsColor.h"
#include "ui/controls/PanelPlacement.h"
#include "ui/controls/StatusBarLook.h"

namespace {

using namespace portal::controls;

TEST(HlsColor, KnownValuesClampingAndRoundTrip) {
  const Hls orange = ToHls(RGB(255, 128, 0));
  EXPECT_NEAR(30.118, orange.hue, 0.001);
  EXPECT_DOUBLE_EQ(0.5, orange.lightness);
  EXPECT_DOUBLE_EQ(1.0, orange.saturation);
  EXPECT_EQ(RGB(255, 255, 255), FromHls({0, 1.7, 0.5})) << "lightness above 1 is clamped";
  EXPECT_EQ(RGB(0, 0, 0), FromHls({200, -0.2, 1})) << "lightness below 0 is clamped";
  EXPECT_EQ(RGB(128, 128, 128), FromHls({123, 0.5, 0})) << "no saturation is grey";
  EXPECT_EQ(RGB(255, 255, 255), ShiftLightness(RGB(192, 192, 192), kLightBevelShift));
  EXPECT_EQ(RGB(150, 150, 150), ShiftLightness(RGB(192, 192, 192), kDarkBevelShift));
  EXPECT_EQ(RGB(93, 182, 247), LightShadeOf(RGB(10, 120, 200)));
  EXPECT_EQ(RGB(6, 72, 120), DarkShadeOf(RGB(10, 120, 200)));
  int mismatches = 0;
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 5) {
      for (int b = 0; b < 256; b += 5) mismatches += FromHls(ToHls(RGB(r, g, b))) != RGB(r, g, b);
    }
  }
  EXPECT_EQ(0, mismatches) << "every colour survives the round trip";
}

TEST(ButtonColors, DefaultsFromSystemColours) {
  const COLORREF white = RGB(255, 255, 255), grey = RGB(128, 128, 128), black = RGB(0, 0, 0);
  struct Case {
    COLORREF face;
    ButtonColors expected;  // normal, hover, light, dark, fg, hover fg
  } cases[] = {
      {RGB(192, 192, 192), {RGB(202, 202, 202), RGB(192, 197, 207), RGB(240, 240, 240), RGB(164, 164, 164), black,
                            RGB(0, 0, 255)}},
      {RGB(236, 233, 216), {RGB(243, 241, 230), RGB(233, 236, 235), white, RGB(205, 197, 152), black, RGB(0, 0, 255)}},
      // Light enough to reach white: blue stops at 255 in the hover colour.
      {RGB(250, 250, 252), {white, RGB(245, 250, 255), white, RGB(159, 159, 198), black, RGB(0, 0, 255)}},
      // Dark faces: system bevels and a light blue arrow; red and green wrap.
      {RGB(64, 64, 64), {RGB(74, 74, 74), RGB(64, 69, 79), white, grey, black, RGB(128, 128, 255)}},
      {RGB(0, 0, 200), {RGB(0, 0, 220), RGB(246, 251, 225), white, grey, black, RGB(128, 128, 255)}},
  };
  for (const Case& c : cases) {
    const ButtonColors colors = DefaultButtonColors({c.face, white, grey, black});
    SCOPED_TRACE(testing::Message() << "face " << std::hex << c.face);
    EXPECT_EQ(c.expected.normalBackground, colors.normalBackground);
    EXPECT_EQ(c.expected.hoverBackground, colors.hoverBackground);
    EXPECT_EQ(c.expected.lightBevel, colors.lightBevel);
    EXPECT_EQ(c.expected.darkBevel, colors.darkBevel);
    EXPECT_EQ(c.expected.normalForeground, colors.normalForeground);
    EXPECT_EQ(c.expected.hoverForeground, colors.hoverForeground);
  }
}

TEST(ButtonColors, SetColorByIndex) {
  const ButtonColors defaults = DefaultButtonColors({RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128), 0});
  ButtonColors colors = defaults;
  struct Step {
    int index;
    COLORREF value;
    LONG previous;
    COLORREF ButtonColors::*changed;
  } steps[] = {
      {kHoverBackground, RGB(1, 2, 3), LONG(defaults.hoverBackground), &ButtonColors::hoverBackground},
      {kNormalForeground, RGB(4, 5, 6), LONG(defaults.normalForeground), &ButtonColors::normalForeground},
      {kHoverForeground, RGB(7, 8, 9), LONG(defaults.hoverForeground), &ButtonColors::hoverForeground},
      {kLightBevel, RGB(10, 11, 12), LONG(defaults.lightBevel), &ButtonColors::lightBevel},
      {kDarkBevel, RGB(13, 14, 15), LONG(defaults.darkBevel), &ButtonColors::darkBevel},
      {kHoverBackground, RGB(20, 20, 20), LONG(RGB(1, 2, 3)), &ButtonColors::hoverBackground},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.previous, SetButtonColor(&colors, s.index, s.value, defaults)) << "index " << s.index;
    EXPECT_EQ(s.value, colors.*s.changed) << "index " << s.index;
  }
  // The normal background brings both bevels with it.
  EXPECT_EQ(LONG(defaults.normalBackground), SetButtonColor(&colors, kNormalBackground, RGB(10, 120, 200), defaults));
  EXPECT_EQ(RGB(93, 182, 247), colors.lightBevel);
  EXPECT_EQ(RGB(6, 72, 120), colors.darkBevel);
  const ButtonColors before = colors;
  for (int unknown : {-1, 7, 100}) {
    EXPECT_EQ(kNoPreviousColor, SetButtonColor(&colors, unknown, RGB(9, 9, 9), defaults));
  }
  EXPECT_EQ(0, std::memcmp(&before, &colors, sizeof(colors))) << "unknown indexes change nothing";
  EXPECT_EQ(kNoPreviousColor, SetButtonColor(&colors, kRestoreDefaultColors, 0, defaults));
  EXPECT_EQ(0, std::memcmp(&defaults, &colors, sizeof(colors))) << "index 0 restores all six";
}

TEST(StatusBarLook, FontPressedColourAndPaneWidths) {
  struct FontCase {
    LONG systemHeight;
    LONG height;
  } fonts[] = {{-12, 16}, {-20, 16}, {12, 12}, {16, 16}, {17, 16}, {40, 16}, {0, 0}};
  for (const FontCase& f : fonts) {
    LOGFONTW system = {};
    system.lfHeight = f.systemHeight;
    system.lfWeight = FW_BOLD;
    const LOGFONTW font = BarFont(system);
    EXPECT_EQ(f.height, font.lfHeight) << "system height " << f.systemHeight;
    EXPECT_EQ(FW_BOLD, font.lfWeight);
  }
  const LOGFONTW fallBack = BarFont(std::nullopt);
  EXPECT_STREQ(L"Arial", fallBack.lfFaceName);
  EXPECT_EQ(FW_NORMAL, fallBack.lfWeight);

  EXPECT_EQ(RGB(153, 153, 179), PressedPaneColor(RGB(192, 192, 192), RGB(0, 0, 128)));
  EXPECT_EQ(RGB(255, 204, 51), PressedPaneColor(RGB(255, 255, 0), RGB(255, 0, 255)));

  // Main pane, a text pane, an icon-only button, an owner-sized pane.
  const std::vector<PaneMeasure> panes = {
      {kMainTextPane, 80, false, 0}, {kTextPane, 50, false, 0}, {kButtonPane, 0, true, 0}, {kOwnerWidthPane, 0, true, 30}};
  EXPECT_EQ((std::vector<int>{180, 242, 270, 300}), PaneRightEdges(panes, 300));
  EXPECT_EQ((std::vector<int>{0, 62, 90, 120}), PaneRightEdges(panes, 50)) << "the main pane shrinks to nothing";
  EXPECT_EQ((std::vector<int>{62, -1}), PaneRightEdges({{kTextPane, 50, false, 0}, {kButtonPane, 9, true, 0}}, 300))
      << "without a main pane the last one runs to the end";
}

struct PlacementCase {
  const char* what;
  RECT anchor;
  PanelSide preferred;
  RECT workArea;
  PanelSide side;
  POINT topLeft;
};

TEST(PanelPlacement, SideFallBacksAgainstTheWorkArea) {
  const SIZE panel = {200, 150};
  const RECT wide = {0, 0, 1000, 700};
  const PlacementCase cases[] = {
      {"right fits", {100, 100, 120, 120}, PanelSide::Right, wide, PanelSide::Right, {120, 99}},
      {"right, moved up to the bottom", {100, 600, 120, 620}, PanelSide::Right, wide, PanelSide::Right, {120, 550}},
      {"right at the right edge: below", {900, 100, 1000, 120}, PanelSide::Right, wide, PanelSide::Below, {800, 120}},
      {"right at the right edge, low: above", {900, 600, 1000, 620}, PanelSide::Right, wide, PanelSide::Above,
       {800, 450}},
      {"below too low: right", {100, 600, 300, 620}, PanelSide::Below, wide, PanelSide::Right, {300, 550}},
      {"below too low, right too far: above", {900, 600, 1000, 620}, PanelSide::Below, wide, PanelSide::Above,
       {800, 450}},
      {"above too high: below", {100, 50, 300, 70}, PanelSide::Above, wide, PanelSide::Below, {100, 70}},
      {"above too high, below too low: right", {100, 50, 300, 70}, PanelSide::Above, {0, 0, 1000, 200},
       PanelSide::Right, {300, 49}},
      {"nothing fits: the preferred side", {200, 10, 250, 30}, PanelSide::Right, {0, 0, 250, 160}, PanelSide::Right,
       {250, 9}},
      {"work area below a top task bar", {100, 700, 120, 720}, PanelSide::Right, {0, 100, 1000, 800},
       PanelSide::Right, {120, 650}},
  };
  for (const PlacementCase& c : cases) {
    const PanelPlacement placement = PlacePanel(c.anchor, panel, c.preferred, c.workArea);
    EXPECT_EQ(c.side, placement.side) << c.what;
    EXPECT_EQ(c.topLeft.x, placement.topLeft.x) << c.what;
    EXPECT_EQ(c.topLeft.y, placement.topLeft.y) << c.what;
  }
}

TEST(PanelPlacement, TenSlideStepsAddUpExactly) {
  EXPECT_EQ((std::array<int, 10>{20, 40, 60, 80, 100, 120, 140, 160, 180, 200}), SlideExtents(200));
  EXPECT_EQ((std::array<int, 10>{3, 7, 11, 14, 18, 22, 25, 29, 33, 37}), SlideExtents(37));
  EXPECT_EQ((std::array<int, 10>{0, 0, 0, 0, 1, 1, 1, 1, 1, 2}), SlideExtents(2));
}

}  // namespace
