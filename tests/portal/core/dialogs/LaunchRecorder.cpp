// Stands in for the camera's companion program and its set-up wizard:
// records its command line, then keeps running until the test lets it go
// (at most 30 s), so that a second start can be noticed.
#include <windows.h>

#include "LaunchRecord.h"
#include "common/UniqueHandle.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  testing_support::AppendLaunchRecord({L"recorder", ::GetCommandLineW()});
  common::UniqueKernelHandle quit(::CreateEventW(nullptr, TRUE, FALSE, testing_support::kLaunchRecorderQuitEvent));
  if (quit) ::WaitForSingleObject(quit.get(), 30000);
  return 0;
}
