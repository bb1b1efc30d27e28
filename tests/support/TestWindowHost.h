// A visible top-level window for tests of child controls: it hosts the
// control under test, records the messages its children send it (those
// chosen with Record), answers queries with preset results, and pumps
// messages until a condition holds or a time runs out.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "common/UniqueHandle.h"

namespace testing_support {

struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class TestWindowHost {
 public:
  // A window whose client area starts at (x, y) of the screen.
  explicit TestWindowHost(int x = 40, int y = 40, int width = 420, int height = 320);
  TestWindowHost(const TestWindowHost&) = delete;
  TestWindowHost& operator=(const TestWindowHost&) = delete;

  HWND Window() const { return window_.get(); }

  // Messages with this number are recorded (and answered with 0, or the
  // preset answer).
  void Record(UINT message) { recorded_[message] = 0; }
  // Message number answered with answer (recorded too), for any wParam.
  void Answer(UINT message, LRESULT answer) { recorded_[message] = answer; }
  // Called for each recorded message before it is answered.
  void OnRecorded(std::function<void(const RecordedMessage&)> callback) { onRecorded_ = std::move(callback); }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  std::vector<RecordedMessage> MessagesOf(UINT message) const;
  void ClearMessages() { messages_.clear(); }

  // Screen point of a client point of window.
  static POINT ScreenPoint(HWND window, POINT client);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  common::UniqueWindow window_;
  std::map<UINT, LRESULT> recorded_;
  std::vector<RecordedMessage> messages_;
  std::function<void(const RecordedMessage&)> onRecorded_;
};

// Steps run from a thread timer, so that they also run inside a modal
// loop (a dialog, a menu): each step is called every period until it
// returns true, then the next one. When the time limit passes first,
// onTimeout runs once (to end the modal loop) and the script stops.
class TimedScript {
 public:
  using Step = std::function<bool()>;
  TimedScript(std::vector<Step> steps, DWORD timeoutMs, std::function<void()> onTimeout, UINT periodMs = 10);
  ~TimedScript();
  TimedScript(const TimedScript&) = delete;
  TimedScript& operator=(const TimedScript&) = delete;

  bool Finished() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }
  // The index of the step being waited for.
  size_t Current() const { return next_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
  void Tick();

  std::vector<Step> steps_;
  size_t next_ = 0;
  ULONGLONG deadline_;
  std::function<void()> onTimeout_;
  bool timedOut_ = false, running_ = false;
  UINT_PTR timer_ = 0;
};

// Handles every waiting message of this thread.
void PumpMessages();
// Pumps until condition holds; false when timeoutMs passed first.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Pumps for a while (for "nothing more happens" checks).
void PumpFor(DWORD ms);

}  // namespace testing_support
