// The one-second timer that refreshes the status indicators: at most one
// runs at a time.
#pragma once

#include <windows.h>

#include "core/WindowView.h"

namespace portal {

class StatusTimer {
 public:
  static constexpr UINT_PTR kId = 1;
  static constexpr UINT kPeriodMs = 1000;

  explicit StatusTimer(WindowView& view) : view_(view) {}

  // (Re)starts the timer.
  void Start() { running_ = view_.StartTimer(kId, kPeriodMs); }
  void Stop() {
    if (running_) view_.StopTimer(kId);
    running_ = false;
  }
  bool Running() const { return running_; }

 private:
  WindowView& view_;
  bool running_ = false;
};

}  // namespace portal
