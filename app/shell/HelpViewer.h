// The compiled-HTML help viewer, loaded only when help is asked for. A
// missing viewer or help file shows nothing and changes nothing else.
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"

namespace torvane {

class HelpViewer {
 public:
  static constexpr UINT kHelpContext = 0x000F;  // HH_HELP_CONTEXT

  void SetHelpFile(std::wstring path) { helpFile_ = std::move(path); }
  const std::wstring& HelpFile() const { return helpFile_; }
  // Opens the topic with that context number, owned by owner. Returns the
  // viewer's window, or null when there is no viewer or no help file.
  HWND ShowContext(HWND owner, DWORD context);

 private:
  std::wstring helpFile_;
  common::UniqueModule viewer_;
};

}  // namespace torvane
