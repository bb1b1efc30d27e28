// Ends a process at once, as a crash would, and waits until it is gone.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace testing_support {

// False when the process could not be opened or ended, or outlived
// timeoutMs.
inline bool KillProcess(DWORD processId, DWORD timeoutMs = 5000) {
  common::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  return process && ::TerminateProcess(process.get(), 9) &&
         ::WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace testing_support
