// One line of "TorvaneError.log": count, number, "description",
// "procedure", "detail" and the constant -2147221504, separated by commas
// without spaces and ended by CR LF. Texts are quoted as they are.
#pragma once

#include <string>

namespace torvane {

constexpr long kErrorLogConstant = -2147221504L;  // 0x80040000 read as signed 32 bits

std::wstring ErrorLogLine(long count, long number, const std::wstring& description,
                          const std::wstring& procedure, const std::wstring& detail);

}  // namespace torvane
