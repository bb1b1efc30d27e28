// The video hook: camera property 29 makes the engine feed its shared
// frame image, and each frame it signals reaches the client as a
// PortalNotification with the frame's addresses.
#pragma once

#include <windows.h>

#include "core/NotificationSink.h"
#include "core/messages/HookImage.h"
#include "core/session/CameraSession.h"

namespace portal {

class VideoHook {
 public:
  VideoHook(CameraSession& session, NotificationSink& events) : session_(session), events_(events) {}

  // Switches the hook on and opens the engine's image at the capture size;
  // false when the engine refused or has not created the image.
  bool Start();
  // Switches the hook off. The image stays mapped until the hook starts
  // again or the control goes away; the engine simply stops signalling.
  bool Stop();
  // A frame the engine signalled, with its frame number.
  void OnFrame(LPARAM frameNumber);
  // The capture size changed.
  void Resize(LONG width, LONG height) { image_.Resize(width, height); }
  bool IsOpen() const { return image_.IsOpen(); }
  void Close() { image_.Close(); }

 private:
  CameraSession& session_;
  NotificationSink& events_;
  HookImage image_;
};

}  // namespace portal
