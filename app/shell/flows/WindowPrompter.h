// The prompt layer of the running application: frmMessBox, the plain
// system message box with the application title and the common save-file
// dialog, all owned by the given window.
#pragma once

#include <windows.h>

#include "Prompter.h"

namespace torvane {

class WindowPrompter : public Prompter {
 public:
  explicit WindowPrompter(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  std::wstring MessBox(const std::wstring& message, const std::wstring& icon, const std::wstring& buttons,
                       const std::wstring& title) override;
  void SystemMessage(const std::wstring& text) override;
  std::optional<std::wstring> SaveFileName(const SaveDialogRequest& request) override;

 private:
  HWND Owner() const;

  HWND owner_;
};

}  // namespace torvane
