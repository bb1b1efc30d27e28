// Where Wine 8 deviates from Windows, a test checks what is right on
// Windows and states the deviation: RunningOnWine() tells which system
// runs the test, TodoWine() expects on Windows and reports (or, once Wine
// behaves, flags the stale marker) under Wine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace testing_support {

inline bool RunningOnWine() {
  static const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

inline void TodoWine(bool ok, const char* what) {
  if (!RunningOnWine()) {
    EXPECT_TRUE(ok) << what;
  } else if (ok) {
    ADD_FAILURE() << "Test succeeded inside todo_wine: " << what << " (remove the marker)";
  } else {
    std::printf("todo_wine (known Wine 8 gap): %s\n", what);
  }
}

}  // namespace testing_support
