// Form: the base of every dialog window of Torvane. A form's fixed layout is
// a DIALOGEX template in Torvane's resources (ids in TorvaneIds.h); the
// class is its code: load and unload handlers, command handlers, a key
// preview that sees keys before the controls, and helpers for its controls,
// control arrays and tooltips. Positions are given in twips.
//
//   class frmDelay : public Form {
//    public:
//     frmDelay() : Form(IDD_DELAY) {}
//    protected:
//     void OnLoad() override;                   // the window exists, hidden
//     void OnCommand(int id, int code) override;
//   };
//   delay.ShowModal(mainWindow);                // loads it first if needed
//
// A form is loaded (its window exists) from Load until Unload. The object
// outlives its window: a form unloaded in one of its own handlers is loaded
// afresh, as a new instance, the next time it is shown, so subclasses reset
// their state in OnLoad. Hiding a form keeps it loaded (its timers keep
// ticking) and ends its modal display.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Twips.h"
#include "common/UniqueHandle.h"

namespace torvane {

// Errors of control arrays, in the application's numbering.
enum : long {
  kErrInvalidArrayIndex = 341,  // no element with that index can exist
  kErrElementLoaded = 360,      // the element exists already
};

// A window's text; empty for no window.
std::wstring WindowText(HWND window);

class Form {
 public:
  explicit Form(int templateId);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND Window() const { return hwnd_; }
  bool Loaded() const { return hwnd_ != nullptr; }
  bool Visible() const;

  // Creates the window (hidden) from the template and runs OnLoad; a loaded
  // form stays as it is. False when the window could not be made.
  bool Load(HWND owner);
  // Shows the form and runs a modal loop until it is hidden or unloaded; an
  // owner that was enabled is disabled meanwhile.
  void ShowModal(HWND owner);
  // Shows the form without a modal loop; the message loops hand it its keys
  // through PreTranslate.
  void ShowModeless(HWND owner);
  void Hide();
  // Runs OnUnload and destroys the window.
  void Unload();

  // For every message loop of the application: the key preview and dialog
  // navigation of the shown forms. True when the message was consumed.
  static bool PreTranslate(MSG* message);

  // Reading the controls, by id.
  HWND Item(int id) const;
  std::wstring Text(int id) const;
  bool Checked(int id) const;
  bool ItemVisible(int id) const;
  // The dialog's child that has the focus (a combo box for its edit field).
  int FocusedControl() const;
  struct TwipsBox {
    double left, top, width, height;
  };
  TwipsBox ItemBox(int id) const;  // in the client area
  const Twips& twips() const { return twips_; }
  static constexpr int kMaxArrayIndex = 999;
  HWND Element(int baseId, int index) const;  // null when it does not exist

 protected:
  virtual void OnLoad() {}
  virtual void OnUnload() {}
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  // Esc and the close box.
  virtual void OnCancel() { Unload(); }
  // Any other message; true when handled, with the result for the system.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR* /*result*/) {
    return false;
  }
  // Sees every key message for the form and its controls first; true
  // consumes it. The default moves the focus along the Enter order.
  virtual bool PreviewKey(const MSG& message);

  // Enter typed in the control at position k of order moves the focus to
  // the control at k + 1, and from the last one to `after` (not pressing it).
  void SetEnterOrder(std::vector<int> order, int after);
  // Placement in twips: the window on the screen, controls in its client area.
  void MoveTo(int leftTwips, int topTwips);
  void PlaceItem(int id, const TwipsBox& box);

  // Changing controls by id.
  void SetText(int id, const std::wstring& text);
  void SetChecked(int id, bool checked);
  void ShowItem(int id, bool visible);
  void EnableItem(int id, bool enabled);
  void Focus(int id);
  void RedrawItem(int id);
  void AddTooltip(int id, const wchar_t* text);
  void SetItemFont(int id, const wchar_t* face, int points);
  // An icon static shows an icon of the program's resources, or a shared one.
  void SetItemIcon(int id, int iconResource);
  void SetItemIcon(int id, HICON sharedIcon);

  // Control arrays: element i has the id baseId + i; element 0 is designed
  // in the template. CreateElement copies element 0 (class, style, text,
  // font, place) into a hidden element; error 360 when it exists, 341 when
  // the index is below 0 or above kMaxArrayIndex.
  HWND CreateElement(int baseId, int index);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND hwnd);
  void ReleaseOwner();
  void RunModalLoop();
  int PixelsX(double twips) const;
  int PixelsY(double twips) const;

  int templateId_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;  // owned by the form's window, destroyed with it
  HWND owner_ = nullptr;
  bool ownerDisabled_ = false;
  bool modal_ = false;
  bool unloading_ = false;
  Twips twips_;
  std::vector<int> enterOrder_;
  int enterAfter_ = 0;
  std::vector<common::UniqueFont> fonts_;
};

}  // namespace torvane
