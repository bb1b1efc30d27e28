// The video hook.
#include "core/messages/VideoHook.h"

#include "PortalContract.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

bool VideoHook::Start() {
  if (!session_.HasEngine() || !session_.WriteProperty(engine::kPropHook, 1)) return false;
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  session_.ReadFormat(&width, &height, &bitDepth, &fourCC);
  // The engine creates the shared image when the hook starts.
  return image_.Open(width, height);
}

bool VideoHook::Stop() { return session_.HasEngine() && session_.WriteProperty(engine::kPropHook, 0); }

void VideoHook::OnFrame(LPARAM frameNumber) {
  const BITMAPINFOHEADER* header = nullptr;
  const BYTE* pixels = nullptr;
  if (!image_.IsOpen() || !image_.Prepare(&header, &pixels)) return;
  events_.Notify(tovra2::kNotifyHookFrame, reinterpret_cast<LONG_PTR>(header), reinterpret_cast<LONG_PTR>(pixels),
                 static_cast<LONG>(frameNumber));
}

}  // namespace portal
