// The live preview: the engine draws into the preview area at the preview
// size while it is on.
#include "core/session/CameraSession.h"

#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

using namespace engine;

LONG CameraSession::PreviewEnabled() {
  PreviewRecord state;
  return engine_ && engine_->InquireRecord(kCmdPreview, kPreviewOn, &state) ? state.on : preview_.enabled;
}

bool CameraSession::EnablePreview(LONG enable) {
  preview_.enabled = enable;
  return ApplyPreview(enable);
}

bool CameraSession::ApplyPreview(LONG enable) {
  const HWND area = view_.PreviewArea();
  if (!engine_ || !area) return false;
  const bool applied =
      enable ? engine_->ExecuteRecord(kCmdPreview, kPreviewOn, MakePreviewRecord(area, preview_.width, preview_.height))
             : engine_->ExecuteBare(kCmdPreview, kPreviewOff);
  view_.SetPreviewLive(applied && enable != 0);
  return applied;
}

void CameraSession::SetPreviewWidth(LONG width) {
  preview_.width = width;
  // The width put sizes the area with room for a border.
  ResizePreview(preview_.width + 2 * ::GetSystemMetrics(SM_CXBORDER),
                preview_.height + 2 * ::GetSystemMetrics(SM_CYBORDER));
}

void CameraSession::SetPreviewHeight(LONG height) {
  preview_.height = height;
  ResizePreview(preview_.width, preview_.height);
}

// A new size reaches the engine by switching a running preview off and on.
void CameraSession::ResizePreview(LONG width, LONG height) {
  if (!engine_ || !view_.PreviewArea()) return;
  view_.SizePreview(width, height);
  const LONG on = PreviewEnabled();
  if (on) {
    ApplyPreview(0);
    ApplyPreview(on);
  }
}

}  // namespace portal
