// The steps of a movie flow under the application's error pattern, with
// the movie flows' own case first: a missing temporary movie (error 53)
// shows "Nothing recorded!" and ends the flow.
//
//   MovieSteps steps(context, procedures::kMovieRecord);
//   if (steps.Run([&] { length = FileLength(movie); }) == MovieSteps::kEnd) return;
#pragma once

#include "ErrorScope.h"
#include "FileErrors.h"

namespace torvane {

class MovieSteps {
 public:
  enum Outcome {
    kDone,    // the step finished
    kLogged,  // it failed; the error was logged and the flow goes on
    kEnd,     // nothing was recorded: the flow ends
  };

  MovieSteps(FlowContext& context, const Procedure& procedure) : context_(context), scope_(context, procedure) {}

  template <typename Step>
  Outcome Run(Step&& step) {
    bool missing = false;
    const bool done = scope_.Run([&] {
      try {
        step();
      } catch (const AppError& error) {
        if (error.number != kErrFileNotFound) throw;
        missing = true;
      }
    });
    if (!missing) return done ? kDone : kLogged;
    NothingRecorded();
    return kEnd;
  }

 private:
  void NothingRecorded();

  FlowContext& context_;
  ErrorScope scope_;
};

}  // namespace torvane
