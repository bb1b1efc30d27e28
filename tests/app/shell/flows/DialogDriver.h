// Drives a modal window of the test's own thread: a thread timer finds the
// newest visible dialog (#32770) of the thread while the code under test
// runs its modal loop, and hands it to the test's action once.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Form.h"

namespace flow_tests {

class DialogDriver {
 public:
  using Action = std::function<void(HWND dialog)>;
  explicit DialogDriver(Action action);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Acted() const { return acted_; }
  // Later actions on the same dialog (each runs on a later tick).
  void Then(Action action) { pending_.push_back(std::move(action)); }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::vector<Action> pending_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
  int idleTicks_ = 0;
};

HWND FindThreadDialog(HWND exclude = nullptr);
using torvane::WindowText;
RECT ChildRect(HWND dialog, int id);  // in the dialog's client coordinates
void PostKeyDown(HWND dialog, WPARAM key);
void PostChar(HWND dialog, wchar_t c);

}  // namespace flow_tests
