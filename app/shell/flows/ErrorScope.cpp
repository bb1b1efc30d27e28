// The error pattern.
#include "ErrorScope.h"

#include "Global.h"

namespace torvane {

void ErrorScope::Handle(const AppError& error) {
  if (error.FromComponent()) {
    context_.prompter.MessBox(std::wstring(procedure_.failureMessage) + kLowMemoryHint, L"X", L"OK", L"Error!");
    context_.end.Now();
  }
  GlobalState& g = Global();
  ++g.ErrorCount;
  g.ErrorNumber = error.number;
  g.ErrorDescription = error.description;
  g.ErrorProcedure = procedure_.label;
  g.ErrorDetail = detail_ ? detail_() : std::wstring();
  context_.errors.ErrorTrack();
}

}  // namespace torvane
