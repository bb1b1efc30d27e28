// The movie properties a client stores in the control, with the defaults
// of a freshly created control. Puts store any value unchecked; the engine
// sees them when a recording starts.
#pragma once

#include <windows.h>

namespace portal {

constexpr LONG MakeFourCC(char a, char b, char c, char d) {
  return static_cast<LONG>(static_cast<DWORD>(static_cast<BYTE>(a)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) |
                           (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) |
                           (static_cast<DWORD>(static_cast<BYTE>(d)) << 24));
}

struct MovieSettings {
  LONG videoCompressionFourCC = MakeFourCC('I', 'V', '5', '0');
  LONG keyFrameInterval = 15;
  LONG videoQuality = -1;  // the codec's own default
  LONG playbackFps = 15;
  LONG audioSamplesPerSecond = 11025;
  LONG audioChannels = 1;
  LONG audioBitsPerSample = 8;
  LONG audioQuality = -1;  // becomes 0 with the first put
  LONG recordAudio = 1;
  LONG recordMode = 2;
  LONG createFlags = 3;
  LONG errorPrompt = 1;  // movie errors are shown in a message box
};

}  // namespace portal
