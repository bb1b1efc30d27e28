// Numbers as the format "#,###,###" shows them: rounded to a whole number
// (halves away from zero), thousands grouped with commas, and no digits at
// all for a value that rounds to 0.
#pragma once

#include <string>

namespace torvane {

std::wstring FormatThousands(double value);

}  // namespace torvane
