// The window prompt layer.
#include "WindowPrompter.h"

#include "MessBox.h"
#include "SaveFileDialog.h"

namespace torvane {

HWND WindowPrompter::Owner() const {
  // A prompt raised while another modal window is up stands over that one.
  HWND active = ::GetActiveWindow();
  return active ? active : owner_;
}

std::wstring WindowPrompter::MessBox(const std::wstring& message, const std::wstring& icon,
                                     const std::wstring& buttons, const std::wstring& title) {
  return torvane::MessBox(message, icon, buttons, title, Owner());
}

void WindowPrompter::SystemMessage(const std::wstring& text) {
  ::MessageBoxW(Owner(), text.c_str(), L"Torvane", MB_OK);
}

std::optional<std::wstring> WindowPrompter::SaveFileName(const SaveDialogRequest& request) {
  return ShowSaveFileDialog(Owner(), request);
}

}  // namespace torvane
