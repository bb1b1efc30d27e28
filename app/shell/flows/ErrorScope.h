// The application's error pattern, applied by a procedure to each of its
// steps. A step that raises an error with a negative number (a failure
// reported by a component) shows the procedure's message followed by
// "This could be due to low system memory." and ends the program; any other
// error is counted, logged through ErrorTrack with the procedure's label
// and detail, and skipped so that the procedure goes on with its next step.
//
//   ErrorScope scope(context, procedures::kTakeSnapShot);
//   scope.Run([&] { view.ShowPicture(path); });
#pragma once

#include <functional>
#include <new>
#include <string>

#include "AppError.h"
#include "FlowContext.h"
#include "Procedures.h"

namespace torvane {

class ErrorScope {
 public:
  using Detail = std::function<std::wstring()>;  // read when an error is logged

  ErrorScope(FlowContext& context, const Procedure& procedure, Detail detail = {})
      : context_(context), procedure_(procedure), detail_(std::move(detail)) {}

  // Runs one step; true when it finished without an error.
  template <typename Step>
  bool Run(Step&& step) {
    try {
      step();
      return true;
    } catch (const AppError& error) {
      Handle(error);
    } catch (const std::bad_alloc&) {
      Handle(AppError{7, L"Out of memory"});
    }
    return false;
  }

  // The pattern for an error caught elsewhere.
  void Handle(const AppError& error);

 private:
  FlowContext& context_;
  Procedure procedure_;
  Detail detail_;
};

}  // namespace torvane
