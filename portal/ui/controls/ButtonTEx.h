// CButtonTEx: a push button with a text-and-picture face, a superclass of
// the system "BUTTON" class drawn by itself. It is clicked like any push
// button (WM_COMMAND BN_CLICKED to its parent) and keeps the default-button
// state the dialog manager gives it. The face uses the image button's six
// colours plus a plain background for when no bevel is drawn.
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"
#include "ui/controls/SkinnedButton.h"

namespace portal::controls {

class CButtonTEx : public SkinnedButton {
 public:
  static constexpr wchar_t kClassName[] = L"Tovra2ButtonTEx";
  // The style used when the caller gives none (0).
  static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

  CButtonTEx();
  ~CButtonTEx() override;

  // style 0 gives kDefaultStyle; BS_DEFPUSHBUTTON in style makes it the
  // default button. The button is always owner-drawn.
  bool Create(HWND parent, int id, const std::wstring& text, const RECT& rect, DWORD style = 0);
  static CButtonTEx* FromHandle(HWND hwnd);

  // Background while no bevel is drawn; the system button face at first.
  void SetPlainBackground(COLORREF color);
  // Whether the face has a bevel (and its hover background), and whether
  // only while the mouse is over it. On, always, at first.
  void SetBevel(bool drawBevel, bool onlyWhileHovering);

  // The picture (SetIcon, SetBitmap, SetMaskedBitmap) goes left of the
  // caption; the two are centred together.

  bool IsDefault() const { return default_; }
  bool Hovering() const { return hovering_; }

  // What the face is drawn from.
  struct FaceState {
    bool pressed = false, focused = false, disabled = false, isDefault = false, hovering = false;
  };
  FaceState CurrentState() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintFace(HDC dc, const RECT& client) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& client, const FaceState& state) const;
  void PaintCaption(HDC dc, const RECT& area, const FaceState& state) const;

  COLORREF plainBackground_;
  bool bevel_ = true, bevelOnlyWhileHovering_ = false;
  bool default_ = false, hovering_ = false, trackingLeave_ = false;
};

}  // namespace portal::controls
