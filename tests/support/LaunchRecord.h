// The record kept by the test programs that stand in for the camera's own
// software: each appends one line (fields joined by "|", ANSI) to the file
// named by the environment variable, which started programs inherit.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/Strings.h"

namespace testing_support {

inline constexpr wchar_t kLaunchRecordVariable[] = L"TORVANE_LAUNCH_RECORD";
// Set by a test to end the programs that wait for it.
inline constexpr wchar_t kLaunchRecorderQuitEvent[] = L"TorvaneLaunchRecorderQuit";

inline void AppendLaunchRecord(const std::vector<std::wstring>& fields) {
  wchar_t path[MAX_PATH] = {};
  if (!::GetEnvironmentVariableW(kLaunchRecordVariable, path, MAX_PATH)) return;
  std::wstring line;
  for (const std::wstring& field : fields) line += (line.empty() ? L"" : L"|") + field;
  std::ofstream(common::WideToAnsi(path), std::ios::app) << common::WideToAnsi(line) << "\n";
}

inline std::vector<std::string> ReadLaunchRecord(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream file(common::WideToAnsi(path));
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

}  // namespace testing_support
