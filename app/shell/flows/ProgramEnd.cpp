// Ending the program.
#include "ProgramEnd.h"

namespace torvane {

void ProgramEnd::Now() const {
  if (action_) action_(kExitCode);  // a test's action leaves by throwing
  ::ExitProcess(kExitCode);
}

}  // namespace torvane
