// Font, pressed colour and pane widths of the pane bar.
#include "ui/controls/StatusBarLook.h"

#include <algorithm>
#include <cwchar>

namespace portal::controls {
namespace {

constexpr int kPanePadding = 6;   // each side of the content
constexpr int kIconSize = 16;
constexpr int kIconGap = 3;       // between icon and text
constexpr int kMinimumPaneWidth = kIconSize + 2 * kPanePadding;

int PaneWidth(const PaneMeasure& pane) {
  if (pane.kind == kOwnerWidthPane) return std::max(0, pane.ownerWidth);
  int width = 2 * kPanePadding + pane.textWidth;
  if (pane.hasIcon) width += kIconSize + (pane.textWidth > 0 ? kIconGap : 0);
  return std::max(kMinimumPaneWidth, width);
}

}  // namespace

LOGFONTW BarFont(const std::optional<LOGFONTW>& systemStatusFont) {
  LOGFONTW font = {};
  if (systemStatusFont) {
    font = *systemStatusFont;
  } else {
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, L"Arial", LF_FACESIZE - 1);
  }
  if (font.lfHeight > kBarFontHeight || font.lfHeight < 0) font.lfHeight = kBarFontHeight;
  return font;
}

std::optional<LOGFONTW> SystemStatusFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return std::nullopt;
  return metrics.lfStatusFont;
}

COLORREF PressedPaneColor(COLORREF face, COLORREF activeCaption) {
  const auto mix = [](int f, int c) { return static_cast<BYTE>((4 * f + c) / 5); };
  return RGB(mix(GetRValue(face), GetRValue(activeCaption)), mix(GetGValue(face), GetGValue(activeCaption)),
             mix(GetBValue(face), GetBValue(activeCaption)));
}

std::vector<int> PaneRightEdges(const std::vector<PaneMeasure>& panes, int barWidth) {
  std::vector<int> widths;
  int fixed = 0;
  bool hasMain = false;
  for (const PaneMeasure& pane : panes) {
    const bool main = pane.kind == kMainTextPane && !hasMain;
    hasMain = hasMain || main;
    widths.push_back(main ? -1 : PaneWidth(pane));
    if (!main) fixed += widths.back();
  }
  std::vector<int> edges;
  int right = 0;
  for (int width : widths) {
    right += width < 0 ? std::max(0, barWidth - fixed) : width;
    edges.push_back(right);
  }
  if (!hasMain && !edges.empty()) edges.back() = -1;
  return edges;
}

}  // namespace portal::controls
