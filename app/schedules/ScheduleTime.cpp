// Schedule arithmetic.
#include "ScheduleTime.h"

#include <cmath>
#include <cwchar>

#include "AppError.h"

namespace torvane {

namespace {

long long FloorDiv(long long value, long long unit) {
  long long quotient = value / unit;
  if (value % unit != 0 && value < 0) --quotient;
  return quotient;
}

AppError Overflow() { return AppError{6, L"Overflow"}; }

}  // namespace

long long SecondsBetween(LocalSeconds from, LocalSeconds to) { return to - from; }

long long WholeMinutesBetween(LocalSeconds from, LocalSeconds to) { return FloorDiv(to, 60) - FloorDiv(from, 60); }

long long WholeHoursBetween(LocalSeconds from, LocalSeconds to) { return FloorDiv(to, 3600) - FloorDiv(from, 3600); }

LocalSeconds Midnight(LocalSeconds t) { return FloorDiv(t, kSecondsPerDay) * kSecondsPerDay; }

LocalSeconds NextTimeOfDay(LocalSeconds now, int hours, int minutes) {
  LocalSeconds instant = Midnight(now) + hours * 3600LL + minutes * 60LL;
  if (WholeHoursBetween(now, instant) < 0) instant += kSecondsPerDay;
  return instant;
}

long RoundHalfEven(double value) {
  if (!(value >= -2147483648.5 && value <= 2147483647.5)) throw Overflow();
  const double floor = std::floor(value);
  const double rest = value - floor;
  double rounded = floor;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  if (rounded > 2147483647.0 || rounded < -2147483648.0) throw Overflow();
  return static_cast<long>(rounded);
}

short ToShortOrOverflow(double value) {
  const long whole = RoundHalfEven(value);
  if (whole < -32768 || whole > 32767) throw Overflow();
  return static_cast<short>(whole);
}

std::wstring ClockText(const SYSTEMTIME& time) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
  return text;
}

}  // namespace torvane
