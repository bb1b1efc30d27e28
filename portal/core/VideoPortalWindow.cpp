// The control's window side: creating the window, handing its messages to
// the message router, releasing the engine with the window, and the window
// view the components use.
#include "core/VideoPortal.h"

#include "core/MemberCall.h"
#include "core/dialogs/ExternalPrograms.h"
#include "core/pictures/ErrorPrompt.h"
#include "server/ModuleState.h"
#include "ui/controls/ControlMessages.h"

namespace portal {

HWND VideoPortal::CreateControlWindow(HWND parent, const RECT& rect) {
  // The window takes the preview size; the container's rectangle gives
  // only its position.
  const int width = session_.Preview().width;
  const int height = session_.Preview().height;
  if (!window_.Create(parent, rect.left, rect.top, width, height)) return nullptr;
  if (!preview_.Create(window_.Handle(), width, height)) {
    window_.Destroy();
    return nullptr;
  }
  router_.ChooseInfoScreen();
  bar_.WindowCreated();
  return window_.Handle();
}

void VideoPortal::DrawContent(HDC dc, const RECT& bounds) {
  ::FillRect(dc, &bounds, ::GetSysColorBrush(COLOR_APPWORKSPACE));
}

void VideoPortal::OnWindowDestroyed() {}

void VideoPortal::OnPaint(HDC dc, const RECT& client) { DrawContent(dc, client); }

bool VideoPortal::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == controls::kPaneWidthQuery && barWindow_.Handle()) {
    *result = barWindow_.OwnerPaneWidth(wParam);
    return true;
  }
  return router_.Handle(message, wParam, lParam);
}

// The window goes away: the camera is released, the engine forgets the
// window and the control behaves as unprepared again.
void VideoPortal::OnDestroy() {
  if (!session_.HasEngine()) return;
  // A movie still recording is finished at its target before the camera
  // goes.
  if (movies_.RecordingLocal()) AsMemberCall([this] { return movies_.Stop(); });
  AsMemberCall([this] { session_.Release(); });
  hook_.Close();
  router_.StopStatusTimer();
}

// --- WindowView ------------------------------------------------------------------

void VideoPortal::Repaint() {
  if (window_.Handle()) ::InvalidateRect(window_.Handle(), nullptr, TRUE);
}

// Laying out follows a change of the camera, its format or the recording
// state: the bar shows them (a connected camera enables pane 113).
void VideoPortal::LayOut() {
  if (!preview_.Handle()) return;
  const PreviewSettings& size = session_.Preview();
  ::SetWindowPos(preview_.Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
  preview_.SetLive(session_.IsCameraConnected() && size.enabled != 0);
  bar_.Refresh();
}

void VideoPortal::SizePreview(LONG width, LONG height) {
  if (preview_.Handle()) {
    ::SetWindowPos(preview_.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  barWindow_.Place();  // the bar follows the preview's new size
}

void VideoPortal::ShowInfoScreen(InfoScreenKind kind, const std::wstring& cameraName) {
  InfoScreen screen = MakeInfoScreen(kind, cameraName);
  screen.setupLink = kind == InfoScreenKind::kCameraMissing && SetupWizardInstalled();
  preview_.ShowScreen(screen);
}

bool VideoPortal::PostToSelf(UINT message, WPARAM wParam, LPARAM lParam) {
  return window_.Handle() && ::PostMessageW(window_.Handle(), message, wParam, lParam);
}

bool VideoPortal::TakeQueued(UINT message, MSG* taken) {
  return window_.Handle() && ::PeekMessageW(taken, window_.Handle(), message, message, PM_REMOVE);
}

bool VideoPortal::StartTimer(UINT_PTR id, UINT periodMs) {
  return window_.Handle() && ::SetTimer(window_.Handle(), id, periodMs, nullptr) != 0;
}

void VideoPortal::StopTimer(UINT_PTR id) {
  if (window_.Handle()) ::KillTimer(window_.Handle(), id);
}

void VideoPortal::TakeFocus() {
  if (window_.Handle()) ::SetFocus(window_.Handle());
}

bool VideoPortal::ShownInForeground() const {
  const HWND window = window_.Handle();
  if (!window || !::IsWindowVisible(window)) return false;
  DWORD process = 0;
  const HWND foreground = ::GetForegroundWindow();
  return foreground && ::GetWindowThreadProcessId(foreground, &process) && process == ::GetCurrentProcessId();
}

void VideoPortal::ShowBusyIndicator() { busyIndicator_.Show(ModuleState::ResourceModule(), window_.Handle()); }

void VideoPortal::ShowError(const std::wstring& text) { ShowErrorPrompt(text); }

}  // namespace portal
