// The image button: a small clickable child window drawn with a flat
// background, a one-pixel bevel and a picture or an arrow. A click shows
// the attached popup panel anchored at the button, or sends the click
// notification (ClickMessage()) to the target window with wParam = the
// command id and lParam = the address of this object. A button with
// neither ignores clicks. The corner button and the pane bar's buttons
// are image buttons.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/controls/ButtonFace.h"
#include "ui/controls/SkinnedButton.h"

namespace portal::controls {

class PopupPanel;

class ImageButton : public SkinnedButton {
 public:
  static constexpr wchar_t kClassName[] = L"Tovra2ImageButton";
  // Hand cursor of the resource module, for systems before version 5.
  static constexpr int kOldSystemHandCursor = IDCUR_HAND_POINTER;  // 101

  ImageButton();
  ~ImageButton() override;

  // A child of parent with control id id (also the first command id).
  bool Create(HWND parent, int id, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE);
  static ImageButton* FromHandle(HWND hwnd);

  void SetCommand(LONG command) { command_ = command; }
  LONG Command() const { return command_; }
  // Where click notifications go; nullptr for none.
  void SetTarget(HWND target) { target_ = target; }
  // A panel shown on a click instead of the notification; nullptr for
  // none. The panel must outlive its attachment.
  void SetPanel(PopupPanel* panel) { panel_ = panel; }

  // Colours and picture: see SkinnedButton. The arrow is drawn when there
  // is no picture.
  void SetArrow(ArrowDirection direction);
  // The button's shape (its window region); the button owns it. nullptr
  // gives back the rectangle.
  void SetShape(common::UniqueRegion shape);
  // The cursor shown over the shape; nullptr for the system hand. Not owned.
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

  bool Pressed() const { return pressed_; }
  bool Hovering() const { return hovering_; }
  bool Inside() const { return inside_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintFace(HDC dc, const RECT& client) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Clickable() const { return target_ || panel_; }
  bool InShape(POINT point) const;
  void OnMouseMove(WPARAM keys, POINT point);
  void OnMouseLeave();
  void OnLeftButtonDown(POINT point);
  bool OnSetCursor();
  void ApplyCursor() const;

  LONG command_ = 0;
  HWND target_ = nullptr;
  PopupPanel* panel_ = nullptr;
  ArrowDirection arrow_ = ArrowDirection::Right;
  HCURSOR cursor_ = nullptr;
  bool hasShape_ = false;
  bool pressed_ = false, hovering_ = false, inside_ = false, trackingLeave_ = false;
};

}  // namespace portal::controls
