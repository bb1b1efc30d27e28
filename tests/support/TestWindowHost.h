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

// Handles every waiting message of this thread.
void PumpMessages();
// Pumps until condition holds; false when timeoutMs passed first.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Pumps for a while (for "nothing more happens" checks).
void PumpFor(DWORD ms);

}  // namespace testing_support
