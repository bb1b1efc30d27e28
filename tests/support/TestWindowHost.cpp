// The test host window and message pumping.
#include "TestWindowHost.h"

namespace testing_support {
namespace {

constexpr wchar_t kHostClass[] = L"TorvaneTestWindowHost";

ATOM RegisterHostClass(WNDPROC proc) {
  static const ATOM atom = [proc] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kHostClass;
    return ::RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

TestWindowHost::TestWindowHost(int x, int y, int width, int height) {
  RegisterHostClass(WindowProc);
  // Without a frame the client area is where the caller asked for it.
  window_.reset(::CreateWindowExW(0, kHostClass, L"test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                  height, nullptr, nullptr, ::GetModuleHandleW(nullptr), this));
  ::SetForegroundWindow(window_.get());
  ::UpdateWindow(window_.get());
  PumpMessages();
}

LRESULT CALLBACK TestWindowHost::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindowHost*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    const auto found = self->recorded_.find(message);
    if (found != self->recorded_.end()) {
      const RecordedMessage record = {message, wParam, lParam};
      self->messages_.push_back(record);
      if (self->onRecorded_) self->onRecorded_(record);
      return found->second;
    }
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<RecordedMessage> TestWindowHost::MessagesOf(UINT message) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& m : messages_) {
    if (m.message == message) found.push_back(m);
  }
  return found;
}

POINT TestWindowHost::ScreenPoint(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  return client;
}

namespace {
std::map<UINT_PTR, TimedScript*>& Scripts() {
  static std::map<UINT_PTR, TimedScript*> scripts;
  return scripts;
}
}  // namespace

TimedScript::TimedScript(std::vector<Step> steps, DWORD timeoutMs, std::function<void()> onTimeout, UINT periodMs)
    : steps_(std::move(steps)), deadline_(::GetTickCount64() + timeoutMs), onTimeout_(std::move(onTimeout)) {
  timer_ = ::SetTimer(nullptr, 0, periodMs, OnTimer);
  Scripts()[timer_] = this;
}

TimedScript::~TimedScript() {
  ::KillTimer(nullptr, timer_);
  Scripts().erase(timer_);
}

void CALLBACK TimedScript::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Scripts().find(id);
  if (found != Scripts().end()) found->second->Tick();
}

void TimedScript::Tick() {
  if (running_ || Finished() || timedOut_) return;  // a step may pump messages itself
  running_ = true;
  if (::GetTickCount64() >= deadline_) {
    timedOut_ = true;
    if (onTimeout_) onTimeout_();
  } else if (steps_[next_]()) {
    ++next_;
  }
  running_ = false;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpMessages();
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace testing_support
