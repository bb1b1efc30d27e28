// The camera connection and user-interface flags of one control instance.
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace portal {

// Sizes of the resolution menu, in menu order of their flags.
enum class Resolution { k160x120, k240x180, k320x240, k640x480, k800x600, k1024x768, k1280x960, k1600, kCount };

struct ConnectionState {
  std::wstring uniqueName;
  std::wstring settingsKey;
  LONG lastCameraIndex = -1;
  bool connectionWanted = false;
  bool highResolutionStillMode = false;
  bool stillCapable = false;
  bool allowPreviewDuringPictures = true;
  bool allowFormatSequence = true;  // element 4: the bar's buttons and the format sequence
  bool barOption = false;  // element 7, read when the bar configuration is chosen
  std::array<bool, static_cast<size_t>(Resolution::kCount)> menuEnabled{true,  false, true,  true,
                                                                        false, false, false, false};
  std::array<bool, static_cast<size_t>(Resolution::kCount)> formatSupported{true, true, true, true,
                                                                            true, true, true, true};
};

// The live preview as the client set it.
struct PreviewSettings {
  LONG enabled = 0;
  LONG width = 320;
  LONG height = 240;
};

}  // namespace portal
