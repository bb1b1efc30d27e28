// frmMessBox: the application's prompt dialog (window caption "Torvane").
// A framed title around a word-wrapped message, an icon beside it and one
// or two buttons; it sees keys before its buttons. It is a real dialog
// window (class #32770) run in its own modal loop; choosing a button
// stores the button's caption in Global().MessBoxChoice and closes it.
#pragma once

#include <windows.h>

#include <string>

#include "MessBoxLayout.h"
#include "Twips.h"
#include "common/UniqueHandle.h"

namespace torvane {

struct MessBoxRequest {
  std::wstring message;
  std::wstring icon;     // "?", "i", "!", "x"
  std::wstring buttons;  // "Y/N", "OK", "Cancel"
  std::wstring title;
};

class frmMessBox {
 public:
  // Control ids: the message has the id of a system message box's text.
  static constexpr int kFrameId = 100;            // fraMess
  static constexpr int kMessageId = 0xFFFF;       // lblMess
  static constexpr int kIconIds[4] = {110, 111, 112, 113};  // imgQuery, imgInfo, imgExclam, imgCrit
  static constexpr int kButtonIds[2] = {IDOK, IDNO};        // cmdDo(0), cmdDo(1)

  // Shows the prompt modally over owner (may be null) and returns when a
  // button was chosen or the thread's message loop is quitting.
  static void ShowModal(HWND owner, const MessBoxRequest& request);

 private:
  explicit frmMessBox(const MessBoxRequest& request);
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog(HWND hwnd);
  void OnCommand(int id);
  void CreateControls();
  HWND AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id);
  void ApplyLayout();
  int MeasureMessageHeight() const;  // twips
  void Place(int id, int left, int top, int width, int height) const;
  bool PreviewKey(const MSG& msg);
  void Choose(int button);
  void RunModalLoop(HWND owner);

  MessBoxRequest request_;
  ButtonSet buttons_;
  MessIcon icon_;
  Twips twips_;
  HWND hwnd_ = nullptr;
  common::UniqueFont font_;
  bool done_ = false;
};

}  // namespace torvane
