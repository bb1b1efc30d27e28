// The control's window side: creating and laying out the window, the
// information screens, and releasing the engine with the window.
#include "core/VideoPortal.h"

#include "common/Strings.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"

namespace portal {

HWND VideoPortal::CreateControlWindow(HWND parent, const RECT& rect) {
  // The window takes the preview size; the container's rectangle gives
  // only its position.
  const int width = settings_.previewMaxWidth;
  const int height = settings_.previewMaxHeight;
  if (!window_.Create(parent, rect.left, rect.top, width, height)) return nullptr;
  if (!preview_.Create(window_.Handle(), width, height)) {
    window_.Destroy();
    return nullptr;
  }
  ChooseInfoScreen();
  return window_.Handle();
}

void VideoPortal::DrawContent(HDC dc, const RECT& bounds) {
  ::FillRect(dc, &bounds, ::GetSysColorBrush(COLOR_APPWORKSPACE));
}

void VideoPortal::OnWindowDestroyed() {}

void VideoPortal::OnPaint(HDC dc, const RECT& client) { DrawContent(dc, client); }

bool VideoPortal::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == WM_COMMAND && LOWORD(wParam) == kRetryButtonId) {
    LONG ignored = 0;
    ConnectCamera(connection_.lastCameraIndex, &ignored);
    return true;
  }
  return HandleEngineMessage(message, wParam, lParam);
}

void VideoPortal::OnDestroy() { ReleaseEngine(); }

// The window goes away: the camera is released, the engine forgets the
// window and the control behaves as unprepared again.
void VideoPortal::ReleaseEngine() {
  if (!engine_) return;
  LONG ignored = 0;
  DisconnectCamera(&ignored);
  engine_->ExecuteLong(engine::kCmdNotifyWindow, engine::kNotifyWindowRemove,
                       static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_.Handle())));
  hook_.Close();
  if (statusTimer_ && window_.Handle()) ::KillTimer(window_.Handle(), kStatusTimer);
  statusTimer_ = false;
  engine_.reset();
}

void VideoPortal::LayOut() {
  if (!preview_.Handle()) return;
  ::SetWindowPos(preview_.Handle(), nullptr, 0, 0, settings_.previewMaxWidth, settings_.previewMaxHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  preview_.SetLive(IsCameraConnected() && settings_.enablePreview != 0);
}

void VideoPortal::ShowInfoScreen(InfoScreenKind kind, const std::wstring& cameraName) {
  preview_.ShowScreen(MakeInfoScreen(kind, cameraName));
}

void VideoPortal::PostRefresh() {
  if (window_.Handle()) ::PostMessageW(window_.Handle(), engine::kMsgInterfaceRefresh, 0, 0);
}

// Decides which information screen stands in for the live video.
void VideoPortal::ChooseInfoScreen() {
  if (!engine_) return ShowInfoScreen(InfoScreenKind::kNoCamera);
  if (IsCameraConnected()) return ShowInfoScreen(InfoScreenKind::kNone);
  engine::CameraRecord remembered;
  if (!ReadRememberedCamera(&remembered, nullptr)) {
    if (connection_.connectionWanted) ShowInfoScreen(InfoScreenKind::kCameraMissing);
    return;
  }
  if (remembered.state == engine::kCameraGone) return ShowInfoScreen(InfoScreenKind::kCameraMissing);
  if (remembered.state == engine::kCameraUnavailable || paused_) return ShowInfoScreen(InfoScreenKind::kNoCamera);
  LONG state = 0;
  get_CameraState(&state);
  if (state == engine::kCameraBusy) return ShowInfoScreen(InfoScreenKind::kCameraBusy);
  if (connection_.connectionWanted) {
    return ShowInfoScreen(InfoScreenKind::kConnectionFailed,
                          common::AnsiToWide(common::AnsiFieldToString(remembered.name, sizeof(remembered.name))));
  }
  ShowInfoScreen(InfoScreenKind::kNoCamera);
}

}  // namespace portal
