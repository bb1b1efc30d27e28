// Pictures to a file or into the caller's memory: the format and target
// checks, live video and the busy indicator around the picture, and the
// text stamp style and picture sound that travel to the engine with every
// picture.
#pragma once

#include <windows.h>

#include <string>

#include "core/WindowView.h"
#include "core/session/CameraSession.h"
#include "engine/TextStampStyle.h"

namespace portal {

// What the client set for its pictures.
struct PictureSettings {
  std::wstring sound;  // empty: no sound
  LONG diskErrorPrompt = 1;
  TextStampStyle textStamp;
};

class PictureOutput {
 public:
  PictureOutput(CameraSession& session, WindowView& view) : session_(session), view_(view) {}
  PictureOutput(const PictureOutput&) = delete;
  PictureOutput& operator=(const PictureOutput&) = delete;

  // Only uncompressed 24-bit pictures are taken.
  static bool AcceptedFormat(LONG fourCC, LONG bitDepth);

  bool ToFile(LONG fourCC, LONG bitDepth, const std::wstring& fileName, const std::wstring& textStamp);
  // With memory 0: *size becomes the size needed. Otherwise *size is the
  // buffer's size, and the buffer changes only with a picture the engine
  // delivered.
  bool ToMemory(LONG fourCC, LONG bitDepth, LONG_PTR memory, LONG* size, const std::wstring& textStamp);

  PictureSettings& Settings() { return settings_; }

 private:
  // Target check of a picture file; explains a failure in a message box
  // when the client enabled it.
  bool CheckTarget(const std::string& path);
  // Switches live video off for a picture when the client disallowed it;
  // returns whether it was on.
  bool PauseLiveVideo();
  void ResumeLiveVideo(bool wasOn);
  void ShowBusyIndicatorIfWanted(bool liveVideoWasOn);
  void SendStyleAndSound();

  CameraSession& session_;
  WindowView& view_;
  PictureSettings settings_;
};

}  // namespace portal
