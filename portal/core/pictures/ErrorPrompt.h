// The control's own error message boxes: task-modal, error icon, no owner,
// captioned with the OEM product name or the resource module's default.
#pragma once

#include <string>

namespace portal {

// Shows text; nothing when there is no text (no resource module).
void ShowErrorPrompt(const std::wstring& text);

}  // namespace portal
