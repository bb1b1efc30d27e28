// The camera dialog of a capture device: its own property pages.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <string>

namespace engine {

// Shows the device's property pages (ISpecifyPropertyPages) modally in the
// system's property frame titled `caption`; cancelled by itself after
// autoCloseMs (0 = never). E_NOINTERFACE when the device has no pages.
HRESULT ShowDevicePages(IBaseFilter* device, const std::string& caption, DWORD autoCloseMs);

}  // namespace engine
