// GDI drawing of the text stamp through a DIB section.
#include "media/TextStamp.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/HResult.h"
#include "common/UniqueHandle.h"

namespace media {

namespace {

int PixelHeight(const TextStampStyle& style, int frameHeight) {
  const int points = std::clamp(style.pointSize, 4, 144);
  return std::max(4, std::min(::MulDiv(points, 96, 72), frameHeight / 2));
}

// The box of size w x h placed in the style's corner, inset from the edges.
RECT PlaceBox(const TextStampStyle& style, int w, int h, int frameW, int frameH, int inset) {
  int placement = style.placement;
  if (placement < 0 || placement > 5) placement = 1;
  const bool bottom = placement == 1 || placement == 3 || placement == 5;
  int x = inset;
  if (placement == 2 || placement == 3) x = frameW - inset - w;
  if (placement == 4 || placement == 5) x = (frameW - w) / 2;
  const int y = bottom ? frameH - inset - h : inset;
  RECT box = {x, y, x + w, y + h};
  const RECT whole = {0, 0, frameW, frameH};
  ::IntersectRect(&box, &box, &whole);
  return box;
}

void DrawLetters(HDC dc, const std::string& text, RECT rect, COLORREF colour) {
  ::SetTextColor(dc, colour);
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_NOPREFIX);
}

int Padding(const TextStampStyle& style, int frameH) {
  return std::max(2, PixelHeight(style, frameH) / 4);
}

// The stamp's box in frame coordinates, measured with the selected font.
RECT MeasureBox(HDC dc, const std::string& text, const TextStampStyle& style, int frameW,
                int frameH) {
  RECT textRect = {0, 0, 0, 0};
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_CALCRECT | DT_NOPREFIX);
  const int pad = Padding(style, frameH);
  return PlaceBox(style, textRect.right + 2 * pad, textRect.bottom + 2 * pad, frameW, frameH,
                  pad);
}

// Draws in frame coordinates onto the selected DIB, which holds the box.
void Paint(HDC dc, const std::string& text, const TextStampStyle& style, const RECT& box,
           int pad) {
  ::SetViewportOrgEx(dc, -box.left, -box.top, nullptr);
  ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
  if (style.background == kStampBox) {
    common::UniqueBrush fill(::CreateSolidBrush(style.backColour));
    common::UniqueBrush border(::CreateSolidBrush(style.borderColour));
    if (fill) ::FillRect(dc, &box, fill.get());
    if (border) ::FrameRect(dc, &box, border.get());
  }
  ::SetBkMode(dc, TRANSPARENT);
  const RECT textAt = {box.left + pad, box.top + pad, box.right, box.bottom};
  if (style.background == kStampShadow) {
    const RECT shadow = {textAt.left + 1, textAt.top + 1, textAt.right, textAt.bottom};
    DrawLetters(dc, text, shadow, style.backColour);
  }
  DrawLetters(dc, text, textAt, style.textColour);
}

// Copies the box's pixels between the frame and a DIB of the box's size.
void CopyBox(Frame& frame, const RECT& box, std::uint8_t* dibBits, bool intoDib) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  const std::size_t dibStride = Frame::StrideFor(w), bytes = static_cast<std::size_t>(w) * 3;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* framePixels = frame.Row(box.top + y) + 3 * box.left;
    std::uint8_t* dibPixels = dibBits + dibStride * static_cast<std::size_t>(h - 1 - y);
    if (intoDib) {
      std::memcpy(dibPixels, framePixels, bytes);
    } else {
      std::memcpy(framePixels, dibPixels, bytes);
    }
  }
}

}  // namespace

HRESULT DrawTextStamp(Frame& frame, std::string_view text, const TextStampStyle& style,
                      RECT* stampRect) {
  if (stampRect) ::SetRectEmpty(stampRect);
  if (text.empty()) return S_OK;
  if (frame.Empty()) return E_INVALIDARG;
  TextStampStyle safe = style;
  safe.faceName[sizeof safe.faceName - 1] = '\0';
  const std::string letters(text);
  common::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return common::LastErrorHResult();
  common::UniqueFont font(::CreateFontA(-PixelHeight(safe, frame.Height()), 0, 0, 0, FW_NORMAL,
                                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_SWISS, safe.faceName));
  if (!font) return common::LastErrorHResult();
  common::SelectionGuard fontSelection(dc.get(), font.get());
  if (!fontSelection.selected()) return E_FAIL;
  const RECT box = MeasureBox(dc.get(), letters, safe, frame.Width(), frame.Height());
  if (::IsRectEmpty(&box)) return S_OK;
  // A DIB section of the box alone: the cost follows the stamp, not the
  // picture size.
  BITMAPINFO info = {};
  info.bmiHeader = frame.InfoHeader();
  info.bmiHeader.biWidth = box.right - box.left;
  info.bmiHeader.biHeight = box.bottom - box.top;
  info.bmiHeader.biSizeImage = 0;
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return common::LastErrorHResult();
  CopyBox(frame, box, static_cast<std::uint8_t*>(bits), true);
  {
    common::SelectionGuard bitmapSelection(dc.get(), dib.get());
    if (!bitmapSelection.selected()) return E_FAIL;
    Paint(dc.get(), letters, safe, box, Padding(safe, frame.Height()));
    ::GdiFlush();
  }
  CopyBox(frame, box, static_cast<std::uint8_t*>(bits), false);
  if (stampRect) *stampRect = box;
  return S_OK;
}

}  // namespace media
