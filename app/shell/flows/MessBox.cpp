// The prompt routine.
#include "MessBox.h"

#include "Global.h"
#include "frmMessBox.h"

namespace torvane {

std::wstring MessBox(const std::wstring& message, const std::wstring& icon, const std::wstring& buttons,
                     const std::wstring& title, HWND owner) {
  if (!owner) owner = ::GetActiveWindow();
  frmMessBox::Show(owner, MessBoxRequest{message, icon, buttons, title});
  // Unchanged when the dialog closed without a choice (the quitting loop).
  return Global().MessBoxChoice;
}

}  // namespace torvane
