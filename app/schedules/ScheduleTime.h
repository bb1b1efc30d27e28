// Date and time arithmetic of the schedules on local date-times in whole
// seconds (LocalSeconds). Differences count the boundaries crossed, as a
// calendar does: from 10:59:59 to 11:00:00 is one whole hour, from 11:00:00
// to 11:59:59 none. Every function is pure so that tests give the time.
#pragma once

#include <windows.h>

#include <string>

#include "Global.h"

namespace torvane {

inline constexpr LocalSeconds kSecondsPerDay = 86400;

long long SecondsBetween(LocalSeconds from, LocalSeconds to);
long long WholeMinutesBetween(LocalSeconds from, LocalSeconds to);
long long WholeHoursBetween(LocalSeconds from, LocalSeconds to);
LocalSeconds Midnight(LocalSeconds t);

// Today at hours:minutes; tomorrow when that lies in an hour before the
// current one (an earlier minute of the current hour stays today and so
// has been reached already).
LocalSeconds NextTimeOfDay(LocalSeconds now, int hours, int minutes);

// To the nearest whole number, halves to the even neighbour; error 6
// (overflow) beyond the 32-bit range.
long RoundHalfEven(double value);
// The 16-bit conversion of a whole number; error 6 beyond -32768..32767.
short ToShortOrOverflow(double value);

// "Hh:Nn:Ss": two-digit hour 00-23, minutes and seconds.
std::wstring ClockText(const SYSTEMTIME& time);

}  // namespace torvane
