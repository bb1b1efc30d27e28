// Per-client engine state and frame delivery.
#include "Session.h"

#include "Engine.h"
#include "EngineMessages.h"
#include "Log.h"

namespace engine {

HRESULT Session::SetNotifyWindow(HWND window) {
  if (!window || !::IsWindow(window)) return E_INVALIDARG;
  notifyWindow_ = window;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  // Watch the process behind the window; a window of the engine's own
  // process (tests inside one process) is not watched.
  if (processId != clientProcessId_ && processId != ::GetCurrentProcessId()) {
    clientProcess_.reset(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    clientProcessId_ = clientProcess_ ? processId : 0;
  }
  return S_OK;
}

bool Session::ClientDied() const noexcept {
  return clientProcess_ && ::WaitForSingleObject(clientProcess_.get(), 0) == WAIT_OBJECT_0;
}

void Session::Post(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
  if (notifyWindow_) ::PostMessageW(notifyWindow_, message, wParam, lParam);
}

void Session::Connect(Camera& target) {
  // Connecting the same camera again keeps its capture running.
  if (camera != &target) Disconnect();
  EndRecording(0);
  camera = &target;
  motion.Reset();
}

void Session::Disconnect() {
  EndRecording(0);
  motion.Reset();
  Camera* previous = camera;
  camera = nullptr;
  if (previous) Engine::Instance().CameraReleased(*previous);
}

void Session::EndRecording(long reason) {
  if (!movie.Active()) return;
  const HRESULT hr = movie.Stop();
  if (FAILED(hr)) LogLine("closing the capture file failed: 0x%08lX", static_cast<unsigned long>(hr));
  if (reason != 0) Post(kMsgRecordingEnded, static_cast<WPARAM>(reason), 0);
}

void Session::OnFrame(const media::Frame& frame, std::uint32_t frameNumber) {
  if (dropped) return;
  preview.Publish(frame);
  if (hook.Publish(frame)) Post(kMsgHookFrame, 0, static_cast<LPARAM>(frameNumber));
  if (motionReport != 0) ReportMotion(frame);
  if (!movie.Active() || movie.StepMode()) return;
  if (!camera || !camera->IsDevice()) {
    RecordFrame(frame);
    return;
  }
  // A device delivers at its own rate: the movie takes as many frames as
  // its frame period has passed, repeating or leaving out device frames.
  for (int repeats = 0; movie.Active() && movie.Frames() < movie.FramesDue() && repeats < kMaxRepeats; ++repeats) {
    RecordFrame(frame);
  }
}

void Session::ReportMotion(const media::Frame& frame) {
  long value;
  if (!scriptedMotion.empty()) {
    value = scriptedMotion.front();
    scriptedMotion.pop_front();
    motion.Feed(frame);
  } else {
    value = motion.Feed(frame);
  }
  // First parameter 3: a measured value (1 and 2 are status reports).
  Post(kMsgMotionReport, 3, static_cast<LPARAM>(value));
}

void Session::RecordFrame(const media::Frame& frame) {
  const HRESULT hr = movie.AddFrame(frame);
  if (FAILED(hr)) {
    LogLine("recording ended by the engine: 0x%08lX", static_cast<unsigned long>(hr));
    EndRecording(RecordingEndReason(hr));
    return;
  }
  if (movie.ProgressDue()) {
    Post(kMsgRecordingProgress, movie.Frames(), static_cast<LPARAM>(movie.ElapsedMs()));
  }
}

void Session::Drop() {
  Disconnect();
  preview.Stop();
  hook.Stop();
  notifyWindow_ = nullptr;
  clientProcess_.reset();
  dropped = true;
}

}  // namespace engine
