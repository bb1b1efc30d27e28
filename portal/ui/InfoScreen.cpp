// Information screens: texts and pictures from the resource module, laid
// out as a wrapped title at the top, the body in a band at the bottom and
// the picture centred between them.
#include "ui/InfoScreen.h"

#include <cwchar>
#include <vector>

#include "server/ModuleState.h"
#include "server/ResourceModule.h"

namespace portal {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kInset = 8;
constexpr int kBodyBand = 48;

struct ScreenResources {
  UINT title;
  COLORREF titleColor;
  UINT body;
  UINT bitmap;
};

ScreenResources ResourcesOf(InfoScreenKind kind) {
  switch (kind) {
    case InfoScreenKind::kConnectionFailed: return {204, kRed, 205, 110};
    case InfoScreenKind::kCameraBusy: return {207, kBlack, 208, 112};
    case InfoScreenKind::kCameraMissing: return {200, kRed, 201, 111};
    default: return {202, kBlack, 203, 109};
  }
}

// Inserts the camera name where the text asks for it ("%1").
std::wstring WithCameraName(const std::wstring& text, const std::wstring& cameraName) {
  const std::size_t at = text.find(L"%1");
  if (at == std::wstring::npos) return text;
  return text.substr(0, at) + cameraName + text.substr(at + 2);
}

}  // namespace

InfoScreen MakeInfoScreen(InfoScreenKind kind, const std::wstring& cameraName) {
  InfoScreen screen;
  screen.kind = kind;
  if (kind == InfoScreenKind::kNone) return screen;
  const ScreenResources resources = ResourcesOf(kind);
  screen.title = LoadResourceString(resources.title);
  screen.titleColor = resources.titleColor;
  screen.body = WithCameraName(LoadResourceString(resources.body), cameraName);
  screen.bitmapId = resources.bitmap;
  return screen;
}

void InfoScreenPainter::MakeFonts(HWND window) {
  if (titleFont_) return;
  HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(window), WM_GETFONT, 0, 0));
  if (!parentFont) parentFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW font = {};
  ::GetObjectW(parentFont, sizeof(font), &font);
  LOGFONTW title = font;
  title.lfHeight = font.lfHeight * 3 / 2;
  title.lfWeight = FW_BOLD;
  titleFont_.reset(::CreateFontIndirectW(&title));
  LOGFONTW body = font;
  body.lfWeight = FW_NORMAL;
  bodyFont_.reset(::CreateFontIndirectW(&body));
  LOGFONTW link = body;
  link.lfUnderline = TRUE;
  linkFont_.reset(::CreateFontIndirectW(&link));
}

HFONT InfoScreenPainter::LinkFont(HWND window) {
  MakeFonts(window);
  return linkFont_.get();
}

HBITMAP InfoScreenPainter::Picture(UINT id) {
  for (CachedPicture& slot : pictures_) {
    if (slot.id == id) return slot.bitmap.get();
  }
  HMODULE resources = ModuleState::ResourceModule();
  if (!resources) return nullptr;
  for (CachedPicture& slot : pictures_) {
    if (slot.id == 0) {
      slot.bitmap.reset(static_cast<HBITMAP>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
      if (!slot.bitmap) return nullptr;
      slot.id = id;
      return slot.bitmap.get();
    }
  }
  return nullptr;  // all ten slots taken
}

void InfoScreenPainter::Paint(HWND window, HDC dc, const RECT& area, const InfoScreen& screen) {
  MakeFonts(window);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetBkMode(dc, TRANSPARENT);

  RECT titleRect = {area.left + kInset, area.top + kInset, area.right - kInset, area.bottom};
  common::SelectionGuard titleFont(dc, titleFont_.get());
  ::SetTextColor(dc, screen.titleColor);
  RECT measured = titleRect;
  ::DrawTextW(dc, screen.title.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  ::DrawTextW(dc, screen.title.c_str(), -1, &titleRect, DT_CENTER | DT_WORDBREAK);
  if (area.right - area.left <= 319) return;  // narrow previews show only the title

  RECT bodyRect = {area.left + kInset, area.bottom - kInset - kBodyBand, area.right - kInset, area.bottom - kInset};
  {
    common::SelectionGuard bodyFont(dc, bodyFont_.get());
    ::SetTextColor(dc, screen.bodyColor);
    ::DrawTextW(dc, screen.body.c_str(), -1, &bodyRect, DT_CENTER | DT_WORDBREAK);
  }
  HBITMAP picture = screen.bitmapId ? Picture(screen.bitmapId) : nullptr;
  if (!picture) return;
  BITMAP info = {};
  ::GetObjectW(picture, sizeof(info), &info);
  const int top = measured.bottom;
  const int bottom = bodyRect.top;
  const int x = (area.left + area.right - info.bmWidth) / 2;
  const int y = top + (bottom - top - info.bmHeight) / 2;
  common::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  common::SelectionGuard selected(memory.get(), picture);
  ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace portal
