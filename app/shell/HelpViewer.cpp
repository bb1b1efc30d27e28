// HelpViewer: HtmlHelpW from hhctrl.ocx, resolved at run time.
#include "HelpViewer.h"

namespace torvane {

HWND HelpViewer::ShowContext(HWND owner, DWORD context) {
  if (helpFile_.empty()) return nullptr;
  // The viewer reports a missing file with a window of its own on some
  // systems; asking first keeps a missing file silent everywhere.
  if (::GetFileAttributesW(helpFile_.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  if (!viewer_) viewer_.reset(::LoadLibraryW(L"hhctrl.ocx"));
  if (!viewer_) return nullptr;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  auto htmlHelp = reinterpret_cast<HtmlHelpFn>(
      reinterpret_cast<void*>(::GetProcAddress(viewer_.get(), "HtmlHelpW")));
  if (!htmlHelp) return nullptr;
  return htmlHelp(owner, helpFile_.c_str(), kHelpContext, context);
}

}  // namespace torvane
