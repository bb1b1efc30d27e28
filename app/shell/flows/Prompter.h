// Everything the flows ask the user: the prompt (MessBox), the plain
// system message box and the save-file dialog. The window implementation
// is WindowPrompter; tests script the answers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace torvane {

struct SaveDialogRequest {
  std::wstring title;
  std::wstring filter;            // "Name|*.ext|Name|*.ext"
  std::wstring defaultExtension;  // without the dot
  std::wstring initialFolder;
  DWORD flags = 0;                // OFN_* flags
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Icon "?", "i", "!", "x"; buttons "Y/N", "OK", "Cancel". Returns the
  // chosen caption: "&Yes", "&No", "&OK" or "&Cancel".
  virtual std::wstring MessBox(const std::wstring& message, const std::wstring& icon,
                               const std::wstring& buttons, const std::wstring& title) = 0;

  // A plain system message box with an OK button and the application title.
  virtual void SystemMessage(const std::wstring& text) = 0;

  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::wstring> SaveFileName(const SaveDialogRequest& request) = 0;
};

}  // namespace torvane
