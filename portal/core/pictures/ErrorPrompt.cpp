// The control's error message boxes.
#include "core/pictures/ErrorPrompt.h"

#include <windows.h>

#include "server/ModuleState.h"
#include "ui/OemDefinitions.h"

namespace portal {

void ShowErrorPrompt(const std::wstring& text) {
  if (text.empty()) return;
  const std::wstring caption = skin::ProductNameCaption(ModuleState::Instance());
  ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace portal
