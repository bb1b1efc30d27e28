// The resource counts of one process that the soak follows: kernel handles,
// GDI objects, USER objects and private bytes, read from outside the
// process (the sampler runs beside Torvane under the same system).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace soak {

struct ProcessCounts {
  DWORD processId = 0;
  long handles = 0;
  long gdiObjects = 0;
  long userObjects = 0;
  unsigned long long privateBytes = 0;
  // Which counts came from a stand-in because the system's own call
  // answered 0 (see ProcessCounts.cpp): "h", "g", "u", "p" as they apply.
  std::string standIns;
};

// The ids of the running processes whose image is named image
// (case-insensitive), in the order the system lists them.
std::vector<DWORD> ProcessesNamed(const wchar_t* image);

// Nothing when the process cannot be opened for reading.
std::optional<ProcessCounts> ReadCounts(DWORD processId);

}  // namespace soak
