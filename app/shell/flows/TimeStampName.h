// Time-stamped file names of stored pictures and movies: folder + "\" +
// prefix + local date and time as "yyyymmddHhNnSs" (14 digits) + extension.
// Two names made within the same second are equal.
#pragma once

#include <windows.h>

#include <string>

namespace torvane {

// The 14 digits: year, month, day, hour (00-23), minute, second.
std::wstring TimeStamp(const SYSTEMTIME& localTime);

std::wstring TimeStampedFileName(const std::wstring& folder, const std::wstring& prefix,
                                 const SYSTEMTIME& localTime, const std::wstring& extension);

}  // namespace torvane
