// Errors inside the application. Numbers follow the classic BASIC runtime
// numbering (53 file not found, 58 file already exists, 75 path/file
// access error, 76 path not found, 32755 cancel in a common dialog...);
// failures reported by a component (a failed HRESULT of the control) are
// negative numbers. AppError never leaves the application's own code: each
// procedure's error pattern catches it.
#pragma once

#include <windows.h>

#include <string>

namespace torvane {

struct AppError {
  long number;
  std::wstring description;

  bool FromComponent() const { return number < 0; }
  // "number description", as plain error messages show it.
  std::wstring MessageText() const { return std::to_wstring(number) + L" " + description; }
};

// The error of a failed HRESULT reported by a component.
AppError ComponentError(HRESULT hr, const std::wstring& what);

}  // namespace torvane
