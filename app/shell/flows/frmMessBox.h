// frmMessBox: the application's prompt dialog (window caption "Torvane"),
// a form of its own (template IDD_MESSBOX). A framed title around a
// word-wrapped message, an icon beside it and one or two buttons; it sees
// keys before its buttons. Choosing a button stores the button's caption
// in Global().MessBoxChoice and unloads the dialog.
#pragma once

#include <windows.h>

#include <string>

#include "Form.h"
#include "MessBoxLayout.h"
#include "TorvaneIds.h"

namespace torvane {

struct MessBoxRequest {
  std::wstring message;
  std::wstring icon;     // "?", "i", "!", "x"
  std::wstring buttons;  // "Y/N", "OK", "Cancel"
  std::wstring title;
};

class frmMessBox final : public Form {
 public:
  // Control ids: the message has the id of a system message box's text.
  static constexpr int kFrameId = IDC_MESS_FRAME;   // fraMess
  static constexpr int kMessageId = IDC_MESS_TEXT;  // lblMess
  static constexpr int kIconIds[4] = {IDC_MESS_QUERY, IDC_MESS_INFO, IDC_MESS_EXCLAM,
                                      IDC_MESS_CRIT};  // imgQuery, imgInfo, imgExclam, imgCrit
  static constexpr int kButtonIds[2] = {IDOK, IDNO};  // cmdDo(0), cmdDo(1)

  // Shows a fresh prompt modally over owner (may be null) and returns when
  // a button was chosen or the thread's message loop is quitting.
  static void Show(HWND owner, const MessBoxRequest& request);

 protected:
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  void OnCancel() override;
  bool PreviewKey(const MSG& msg) override;

 private:
  explicit frmMessBox(const MessBoxRequest& request);
  void ApplyLayout();
  int MeasureMessageHeight() const;  // twips
  void Place(int id, int left, int top, int width, int height);
  void Choose(int button);

  MessBoxRequest request_;
  ButtonSet buttons_;
  MessIcon icon_;
};

}  // namespace torvane
