// Information screens painted into the preview area when no live video can
// be shown: a title, a body text and a picture from the resource module.
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"

namespace portal {

enum class InfoScreenKind { kNone, kNoCamera, kConnectionFailed, kCameraBusy, kCameraMissing };

struct InfoScreen {
  InfoScreenKind kind = InfoScreenKind::kNoCamera;
  std::wstring title;
  COLORREF titleColor = RGB(0, 0, 0);
  std::wstring body;
  COLORREF bodyColor = RGB(0, 0, 0);
  UINT bitmapId = 0;
  bool setupLink = false;  // the set-up link (kWizardButtonId) is offered
};

// The screen of a kind with its texts and picture from the resource
// module (strings 200-208, bitmaps 109-112).
InfoScreen MakeInfoScreen(InfoScreenKind kind, const std::wstring& cameraName = std::wstring());

// Paints screens; keeps the fonts and pictures it made for the window's
// lifetime.
class InfoScreenPainter {
 public:
  void Paint(HWND window, HDC dc, const RECT& area, const InfoScreen& screen);
  // The set-up link's font: the body font underlined.
  HFONT LinkFont(HWND window);

 private:
  void MakeFonts(HWND window);
  HBITMAP Picture(UINT id);

  common::UniqueFont titleFont_;
  common::UniqueFont bodyFont_;
  common::UniqueFont linkFont_;
  struct CachedPicture {
    UINT id = 0;
    common::UniqueBitmap bitmap;
  };
  CachedPicture pictures_[10];
};

}  // namespace portal
