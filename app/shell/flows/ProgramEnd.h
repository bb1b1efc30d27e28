// Ending the program at once (after a component failure, too many errors
// or a failure of the error log): no dialog is asked to close and no
// further procedure code runs. The action is injectable so that tests can
// observe the end instead of dying; an action that returns still ends the
// process.
#pragma once

#include <windows.h>

#include <functional>

namespace torvane {

class ProgramEnd {
 public:
  static constexpr UINT kExitCode = 1;
  using Action = std::function<void(UINT exitCode)>;

  ProgramEnd() = default;  // ends the process
  explicit ProgramEnd(Action action) : action_(std::move(action)) {}

  [[noreturn]] void Now() const;

 private:
  Action action_;
};

}  // namespace torvane
