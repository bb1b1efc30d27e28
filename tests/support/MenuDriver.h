// Drives the next popup menu the current thread shows, as a user with the
// keyboard would: once the menu window is up it records the items (read
// through MN_GETHMENU, as lines like "190 Desk checked default"), then
// moves the selection down to the wanted item and presses Enter, or
// presses Escape to cancel (choose 0, or an item the menu lacks). The keys
// are posted to the menu window, or given as real input (UserInput) when
// the menu was opened by a real click.
//
//   MenuDriver driver(191);
//   ::PostMessageW(control, kMsgCameraButton, WM_LBUTTONDOWN, 0);
//   portal.PumpUntil([&] { return driver.Done(); });
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

class MenuDriver {
 public:
  enum class Keys { kPosted, kReal };
  explicit MenuDriver(UINT choose, Keys keys = Keys::kPosted);
  ~MenuDriver();
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  bool Done() const { return done_; }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Step(HWND menuWindow, HMENU menu);

  UINT choose_;
  Keys keys_;
  UINT_PTR timer_;
  int steps_ = 0;
  bool done_ = false;
  std::vector<std::string> lines_;
};

}  // namespace testing_support
