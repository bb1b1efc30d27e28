// Runs a clean-up when the scope ends, whichever way it ends.
#pragma once

namespace common {

template <typename Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(action) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { action_(); }

 private:
  Action action_;
};

}  // namespace common
