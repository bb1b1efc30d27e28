// The "#,###,###" format.
#include "ThousandsFormat.h"

#include <cmath>

namespace torvane {

std::wstring FormatThousands(double value) {
  const double rounded = std::round(value);  // halves away from zero
  // Beyond 64 bits there is no number of bytes or seconds to show.
  if (!std::isfinite(rounded) || rounded == 0.0 || std::fabs(rounded) >= 9.0e18) return std::wstring();
  std::wstring digits = std::to_wstring(static_cast<long long>(std::fabs(rounded)));
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, L',');
  return rounded < 0 ? L"-" + digits : digits;
}

}  // namespace torvane
