// The error handling of the dialogs' load, list and button handlers: any
// error, also a component's, is shown in a plain message box as its number,
// a blank and its description, and the handler ends there.
//
//   RunShowingErrors(context.prompter, [&] { Start(); });
#pragma once

#include <new>

#include "AppError.h"
#include "Prompter.h"

namespace torvane {

template <typename Handler>
void RunShowingErrors(Prompter& prompter, Handler&& handler) {
  try {
    handler();
  } catch (const AppError& error) {
    prompter.SystemMessage(error.MessageText());
  } catch (const std::bad_alloc&) {
    prompter.SystemMessage(AppError{7, L"Out of memory"}.MessageText());
  }
}

}  // namespace torvane
