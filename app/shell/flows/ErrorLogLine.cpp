// Error log line format.
#include "ErrorLogLine.h"

namespace torvane {

namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

std::wstring ErrorLogLine(long count, long number, const std::wstring& description,
                          const std::wstring& procedure, const std::wstring& detail) {
  return std::to_wstring(count) + L"," + std::to_wstring(number) + L"," + Quoted(description) + L"," +
         Quoted(procedure) + L"," + Quoted(detail) + L"," + std::to_wstring(kErrorLogConstant) + L"\r\n";
}

}  // namespace torvane
